// Reading any bytes as a zip package and inflating every entry: the reader
// must either give the entries or throw common::Error, never crash, hang
// or inflate beyond the sizes it allows. Seeds: small real packages.
#include "common/Error.h"
#include "zip/EntryReader.h"
#include "zip/ZipArchive.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const zip::Archive archive(std::string_view(reinterpret_cast<const char*>(data), size));
        for (const zip::Entry& entry : archive.entries()) {
            try {
                zip::EntryReader reader(archive, entry);
                char buffer[4096];
                std::uint64_t total = 0;
                for (std::size_t got; (got = reader.read(buffer, sizeof buffer)) > 0;)
                    total += got;
                if (total != entry.size)
                    __builtin_trap(); // a read to the end gives exactly the declared size
            } catch (const common::Error&) {
            }
        }
    } catch (const common::Error&) {
    }
    return 0;
}
