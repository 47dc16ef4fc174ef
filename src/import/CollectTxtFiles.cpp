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

void walk(const std::string& folder, std::initializer_list<std::string_view> extensions,
          std::vector<std::string>& paths, const common::CodePage& codePage, FolderChain& chain)
{
    common::FileIdentity identity;
    if (!enterFolder(folder, chain, identity))
        return;
    const std::string prefix = folder + common::pathSeparator();
    for (const common::FolderEntry& entry : common::listFolder(folder)) {
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
