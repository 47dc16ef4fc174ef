// Packages made by hand for tests from a real package's bytes: one field
// of one entry's central-directory record changed, or one part replaced.
#pragma once

#include "zip/ZipArchive.h"
#include "zip/ZipWriter.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace testing_support {

// The offset of the central-directory record of the entry named `name`.
inline std::size_t centralRecordOf(const std::string& zip, std::string_view name)
{
    for (std::size_t at = zip.find("PK\x01\x02"); at != std::string::npos;
         at = zip.find("PK\x01\x02", at + 4)) {
        const std::size_t length = static_cast<unsigned char>(zip[at + 28]) |
                                   (static_cast<std::size_t>(static_cast<unsigned char>(zip[at + 29])) << 8);
        if (zip.compare(at + 46, length, name) == 0)
            return at;
    }
    throw std::runtime_error("no entry " + std::string(name));
}

// Sets the little-endian field of `bytes` bytes at `offset` within the
// entry's central-directory record (8 flags, 10 method, 16 CRC, 24 size).
inline std::string patchCentralField(std::string zip, std::string_view name, std::size_t offset,
                                     std::size_t bytes, std::uint64_t value)
{
    const std::size_t at = centralRecordOf(zip, name) + offset;
    for (std::size_t i = 0; i < bytes; ++i)
        zip[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return zip;
}

// The package with part `name` replaced by `xml` (added when it has none),
// or left out when `xml` is null.
inline std::string withPart(const std::string& package, const std::string& name, const char* xml)
{
    const zip::Archive archive(package);
    zip::Writer writer;
    bool found = false;
    for (const zip::Entry& entry : archive.entries()) {
        if (entry.name != name) {
            writer.copy(archive, entry);
            continue;
        }
        found = true;
        if (xml)
            writer.add(entry, xml);
    }
    if (!found && xml) {
        zip::Entry entry;
        entry.name = name;
        writer.add(entry, xml);
    }
    return writer.finish();
}

} // namespace testing_support
