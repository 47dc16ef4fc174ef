#include "support/RecordTrim.h"

#include <cstdint>
#include <filesystem>

namespace bench {

void trimRecordFiles(const std::string& folder)
{
    namespace fs = std::filesystem;
    constexpr std::uintmax_t kLimit = 16 * 1024;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_regular_file(ec) && it->file_size(ec) > kLimit)
            fs::resize_file(it->path(), 0, ec);
    }
}

} // namespace bench
