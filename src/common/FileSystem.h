// File and folder operations. Relative names resolve against the process's
// current folder. Failures throw the I/O error with the Windows code.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace common {

void changeCurrentFolder(const std::string& path);
std::string currentFolder();
// The path completed against the current folder as the system resolves a
// relative name (on Windows also "\x" and "X:x"); the path itself when
// that fails.
std::string fullPathName(const std::string& path);
// Creates exactly one folder; its parent must exist; 183 when the name is taken.
void makeFolder(const std::string& path);
// Creates exactly one folder unless a folder of that name is there already,
// one that another process makes at the same moment included; its parent
// must exist; 183 when a file holds the name.
void makeFolderUnlessPresent(const std::string& path);
// Creates the folder and any missing parents; false when that fails.
bool makeFolderWithParents(const std::string& path);
bool folderExists(const std::string& path);
// True when an entry of that name exists and is not a folder.
bool fileExists(const std::string& path);
// True for a file that nobody may write (no write permission at all, as
// Windows' read-only attribute): refused even where the user could replace
// it anyway (root may write anything).
bool isReadOnlyFile(const std::string& path);

struct FolderEntry {
    std::string name; // without the folder
    bool isFolder = false;
};
// Every entry, hidden ones included (and "." and ".."), in the file system's
// order. An empty or unreadable folder lists nothing.
std::vector<FolderEntry> listFolder(const std::string& folder);

// What tells an entry from every other however it is reached (through links
// or other names): its volume and its number there.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    auto operator<=>(const FileIdentity&) const = default;
};
// Nothing when the entry cannot be looked at.
std::optional<FileIdentity> fileIdentity(const std::string& path);

} // namespace common
