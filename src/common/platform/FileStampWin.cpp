#include "common/FileStamp.h"

#include "common/platform/WinApi.h"

namespace common {

namespace {

// FILETIME counts 100-nanosecond ticks from 1601-01-01; stamps count from 1970.
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kTicksFrom1601To1970 = 116444736000000000;

} // namespace

std::optional<FileStamp> stampOf(const std::string& path)
{
    const std::optional<BY_HANDLE_FILE_INFORMATION> info = win::entryInformation(path);
    if (!info || (info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    const FILETIME& written = info->ftLastWriteTime;
    const std::int64_t ticks =
        static_cast<std::int64_t>((static_cast<std::uint64_t>(written.dwHighDateTime) << 32) |
                                  written.dwLowDateTime) -
        kTicksFrom1601To1970;
    // Rounded down, so that the nanoseconds stay in [0, 1e9) before 1970 too.
    std::int64_t seconds = ticks / kTicksPerSecond;
    std::int64_t rest = ticks % kTicksPerSecond;
    if (rest < 0) {
        --seconds;
        rest += kTicksPerSecond;
    }
    return FileStamp{info->dwVolumeSerialNumber, win::fileIndex(*info),
                     (static_cast<std::uint64_t>(info->nFileSizeHigh) << 32) | info->nFileSizeLow, seconds,
                     rest * 100};
}

} // namespace common
