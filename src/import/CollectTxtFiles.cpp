#include "import/CollectTxtFiles.h"

#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/Text.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace importer {
namespace {

// The folders being walked, by their resolved path. Only the chain from the
// starting folder down is kept: the same folder reached through two links
// that form no loop is still walked twice, as the plain walk would do.
using FolderChain = std::set<std::filesystem::path>;

bool enterFolder(const std::string& folder, FolderChain& chain, std::filesystem::path& resolved)
{
    std::error_code ec;
    resolved = std::filesystem::canonical(folder, ec);
    if (ec)
        return false;
    return chain.insert(resolved).second;
}

void walk(const std::string& folder, std::initializer_list<std::string_view> extensions,
          std::vector<std::string>& paths, const common::CodePage& codePage, FolderChain& chain)
{
    std::filesystem::path resolved;
    if (!enterFolder(folder, chain, resolved))
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
    chain.erase(resolved);
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
