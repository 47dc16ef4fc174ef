// Byte-text and file-name operations on any bytes, checked by their laws:
// folder part + name part is the path, the extension ends the name part,
// replacing a pattern by itself changes nothing, copy stays inside the text.
#include "common/FileNames.h"
#include "common/Text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const common::CodePage codePage((data[0] & 1) ? 936 : 1252);
    const std::size_t split = data[1] % (size - 1);
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string pattern = text.substr(0, split % 4);

    const std::string folder = common::folderPart(text, codePage);
    const std::string name = common::namePart(text, codePage);
    const std::string extension = common::extensionPart(text, codePage);
    if (folder + name != text)
        std::abort();
    if (extension.size() > name.size() ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
        std::abort();
    if (!extension.empty() && extension[0] != '.')
        std::abort();
    if (!common::isUnsafeEntryName(name, codePage) && name.find('/') != std::string::npos)
        std::abort();

    if (common::replaceAll(text, pattern, pattern, codePage) != text)
        std::abort();
    const std::string removed = common::replaceAll(text, "/", "", codePage);
    if (removed.size() > text.size())
        std::abort();

    const std::size_t pos = common::textPos(pattern, text);
    if (pos != 0 && text.compare(pos - 1, pattern.size(), pattern) != 0)
        std::abort();
    const std::string copy = common::textCopy(text, static_cast<long long>(split) - 2, 7);
    if (copy.size() > 7 || (!copy.empty() && text.find(copy) == std::string::npos))
        std::abort();
    if (common::upperAscii(text).size() != text.size())
        std::abort();
    if (!common::sameTextIgnoreCase(text, common::upperAscii(text), common::CodePage(65001)))
        std::abort();
    return 0;
}
