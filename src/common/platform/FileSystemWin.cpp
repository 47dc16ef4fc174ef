// Folder and file operations on Windows, failing with the system's codes.
#include "common/FileSystem.h"

#include "common/CodePage.h"
#include "common/FileNames.h"
#include "common/IoError.h"
#include "common/platform/WinApi.h"

namespace common {

namespace {

// INVALID_FILE_ATTRIBUTES for a missing entry (and for the empty name,
// which the system would take for the current folder).
DWORD attributesOf(const std::string& path)
{
    if (path.empty() || path.size() >= MAX_PATH)
        return INVALID_FILE_ATTRIBUTES;
    return GetFileAttributesA(path.c_str());
}

bool isFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The path without the delimiters at its end ("C:\" keeps its "\").
std::string withoutTrailingDelimiters(std::string path, const CodePage& codePage)
{
    while (path.size() > 1 && isPathDelimiter(path, path.size() - 1, codePage) &&
           !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

} // namespace

void changeCurrentFolder(const std::string& path)
{
    win::checkNameLength(path);
    if (!SetCurrentDirectoryA(path.c_str()))
        throw win::lastError();
}

std::string currentFolder()
{
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            throw win::lastError();
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length); // the size asked for, terminator included
    }
}

std::string fullPathName(const std::string& path)
{
    if (path.empty())
        return path;
    std::string buffer(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
        if (length == 0)
            return path;
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

void makeFolder(const std::string& path)
{
    win::checkNameLength(path);
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw win::lastError();
}

void makeFolderUnlessPresent(const std::string& path)
{
    win::checkNameLength(path);
    if (CreateDirectoryA(path.c_str(), nullptr))
        return;
    // A folder there already, or made by another process at the same
    // moment, is what was asked for; a file of that name is not.
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS && folderExists(path))
        return;
    throw win::errorOf(error);
}

bool makeFolderWithParents(const std::string& path)
{
    const CodePage codePage = CodePage::fromLocale();
    const std::string folder = withoutTrailingDelimiters(path, codePage);
    if (folder.empty() || folderExists(folder))
        return !folder.empty();
    const std::string parent = withoutTrailingDelimiters(folderPart(folder, codePage), codePage);
    if (!parent.empty() && parent != folder && !makeFolderWithParents(parent))
        return false;
    if (folder.size() < MAX_PATH)
        CreateDirectoryA(folder.c_str(), nullptr);
    return folderExists(folder);
}

bool folderExists(const std::string& path)
{
    return isFolder(attributesOf(path));
}

bool fileExists(const std::string& path)
{
    return isFile(attributesOf(path));
}

bool isReadOnlyFile(const std::string& path)
{
    const DWORD attributes = attributesOf(path);
    return isFile(attributes) && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::optional<BY_HANDLE_FILE_INFORMATION> win::entryInformation(const std::string& path)
{
    if (path.empty() || path.size() >= MAX_PATH)
        return std::nullopt;
    // Backup semantics: a folder opens too.
    win::FileHandle handle(CreateFileA(path.c_str(), 0,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.isOpen() || !GetFileInformationByHandle(handle.get(), &info))
        return std::nullopt;
    return info;
}

std::optional<FileIdentity> fileIdentity(const std::string& path)
{
    const std::optional<BY_HANDLE_FILE_INFORMATION> info = win::entryInformation(path);
    if (!info)
        return std::nullopt;
    return FileIdentity{info->dwVolumeSerialNumber, win::fileIndex(*info)};
}

std::vector<FolderEntry> listFolder(const std::string& folder)
{
    std::vector<FolderEntry> entries;
    const std::string pattern = folder.empty() ? std::string("*.*") : folder + "\\*.*";
    if (pattern.size() >= MAX_PATH)
        return entries;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do
        entries.push_back({found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

} // namespace common
