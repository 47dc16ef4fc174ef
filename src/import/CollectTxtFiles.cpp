#include "import/CollectTxtFiles.h"

#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/Text.h"

#include <algorithm>
#include <set>

namespace importer {
namespace {

// The folders being walked, by their identity (whatever path reaches them).
// Only the chain from the starting folder down is kept: the same folder
// reached through two links that form no loop is still walked twice, as the
// plain walk would do.
using FolderChain = std::set<common::FileIdentity>;

bool enterFolder(const std::string& folder, FolderChain& chain, common::FileIdentity& identity)
{
    const std::optional<common::FileIdentity> found = common::fileIdentity(folder);
    if (!found)
        return false;
    identity = *found;
    return chain.insert(identity).second;
}

// Entries by name, letters without regard to case, as NTFS lists them. Other
// file systems list in the order of creation or of a hash; the import takes
// the files in this order, and dated folders taken out of order would leave
// a record file's days out of order.
std::vector<common::FolderEntry> entriesByName(std::vector<common::FolderEntry> entries)
{
    std::vector<std::pair<std::string, common::FolderEntry>> keyed;
    keyed.reserve(entries.size());
    for (common::FolderEntry& entry : entries)
        keyed.emplace_back(common::upperAscii(entry.name), std::move(entry));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first < b.first : a.second.name < b.second.name;
    });
    entries.clear();
    for (auto& [key, entry] : keyed)
        entries.push_back(std::move(entry));
    return entries;
}

void walk(const std::string& folder, std::initializer_list<std::string_view> extensions,
          std::vector<std::string>& paths, const common::CodePage& codePage, FolderChain& chain)
{
    common::FileIdentity identity;
    if (!enterFolder(folder, chain, identity))
        return;
    const std::string prefix = folder + common::pathSeparator();
    for (const common::FolderEntry& entry : entriesByName(common::listFolder(folder))) {
        if (entry.isFolder) {
            if (entry.name != "." && entry.name != "..")
                walk(prefix + entry.name, extensions, paths, codePage, chain);
        } else {
            const std::string extension = common::upperAscii(common::extensionPart(entry.name, codePage));
            if (std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
                paths.push_back(prefix + entry.name);
        }
    }
    chain.erase(identity);
}

} // namespace

void collectTxtFiles(const std::string& folder, std::vector<std::string>& paths,
                     const common::CodePage& codePage)
{
    collectFilesWithExtensions(folder, {".TXT"}, paths, codePage);
}

void collectFilesWithExtensions(const std::string& folder, std::initializer_list<std::string_view> extensions,
                                std::vector<std::string>& paths, const common::CodePage& codePage)
{
    FolderChain chain;
    walk(folder, extensions, paths, codePage, chain);
}

} // namespace importer
