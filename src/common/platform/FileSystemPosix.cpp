// Folder and file operations on POSIX, failing with the Windows codes.
#include "common/FileSystem.h"

#include "common/FileNames.h"
#include "common/IoError.h"
#include "common/platform/PosixError.h"

#include <cerrno>
#include <dirent.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

// Windows' answer when the current folder is set to a file's name.
constexpr int kErrorDirectory = 267;

bool statEntry(const std::string& path, struct stat& info)
{
    return !path.empty() && ::stat(path.c_str(), &info) == 0;
}

} // namespace

void changeCurrentFolder(const std::string& path)
{
    if (::chdir(path.c_str()) == 0)
        return;
    const int errnoValue = errno;
    struct stat info {};
    if (errnoValue == ENOTDIR && statEntry(path, info) && !S_ISDIR(info.st_mode))
        throw ioError(kErrorDirectory, posix::systemErrorText(errnoValue));
    throw posix::errnoError(errnoValue, path);
}

std::string currentFolder()
{
    std::string buffer(256, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            throwLastIoError(".");
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(buffer.find('\0'));
    return buffer;
}

std::string fullPathName(const std::string& path)
{
    if (isAbsolutePath(path))
        return path;
    try {
        std::string folder = currentFolder();
        if (folder.empty() || folder.back() != '/')
            folder += '/';
        return folder + path;
    } catch (const Error&) {
        return path;
    }
}

void makeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0777) != 0)
        throwLastIoError(path);
}

void makeFolderUnlessPresent(const std::string& path)
{
    if (folderExists(path))
        return;
    if (::mkdir(path.c_str(), 0777) == 0)
        return;
    // Between the test and the make another process may have made it.
    const int errnoValue = errno;
    if (errnoValue == EEXIST && folderExists(path))
        return;
    throw posix::errnoError(errnoValue, path);
}

bool makeFolderWithParents(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return folderExists(path);
}

bool folderExists(const std::string& path)
{
    struct stat info {};
    return statEntry(path, info) && S_ISDIR(info.st_mode);
}

bool fileExists(const std::string& path)
{
    struct stat info {};
    return statEntry(path, info) && !S_ISDIR(info.st_mode);
}

bool isReadOnlyFile(const std::string& path)
{
    struct stat info {};
    return statEntry(path, info) && !S_ISDIR(info.st_mode) &&
           (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::optional<FileIdentity> fileIdentity(const std::string& path)
{
    struct stat info {};
    if (!statEntry(path, info))
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::vector<FolderEntry> listFolder(const std::string& folder)
{
    std::vector<FolderEntry> entries;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        FolderEntry item;
        item.name = entry->d_name;
        if (entry->d_type == DT_DIR) {
            item.isFolder = true;
        } else if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            // A link counts as what it points to, as the entry it stands for.
            struct stat info {};
            const std::string full = (folder.empty() ? std::string(".") : folder) + "/" + item.name;
            item.isFolder = ::stat(full.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        entries.push_back(std::move(item));
    }
    ::closedir(dir);
    return entries;
}

} // namespace common
