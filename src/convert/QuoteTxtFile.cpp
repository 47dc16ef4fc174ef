#include "convert/QuoteTxtFile.h"

#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "common/IoError.h"
#include "common/LineList.h"

namespace convert {
namespace {

common::Error invalidNameCreateError(const std::string& fileName)
{
    std::string fullPath = common::currentFolder();
    if (fullPath.empty() || fullPath.back() != common::pathSeparator())
        fullPath += common::pathSeparator();
    fullPath += fileName;
    return common::Error("Cannot create file \"" + fullPath + "\". " + common::invalidNameText());
}

} // namespace

std::string quoteLine(std::string_view code, std::string_view dateText, std::string_view value)
{
    std::string line;
    line.reserve(code.size() + dateText.size() + value.size() + 2);
    line += code;
    line += '\t';
    line += dateText;
    line += '\t';
    line += value;
    return line;
}

void writeQuoteTxtFile(const std::string& customDataName, const std::vector<std::string>& lines,
                       const common::CodePage& codePage)
{
    const std::string fileName = customDataName + std::string(kQuoteTxtExtension);
    // The name comes from a mapping line the user typed or imported; saving it
    // unchecked could write into, or over, a file anywhere on the disk.
    if (common::isUnsafeEntryName(customDataName, codePage))
        throw invalidNameCreateError(fileName);
    common::saveLineList(fileName, lines);
}

} // namespace convert
