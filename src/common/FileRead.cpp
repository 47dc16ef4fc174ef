// Whole-file reads: a buffer of the size the system gives, then reads until
// the end is found.
#include "common/FileRead.h"

#include <algorithm>

namespace common {

namespace {

constexpr std::size_t kMinimumGrowth = 64 * 1024;

} // namespace

FileBytes InputFile::readAll()
{
    // One byte more than the size, so that the read that finds the end
    // needs no larger buffer.
    std::size_t capacity = sizeHint() + 1;
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    std::size_t size = 0;
    for (;;) {
        if (size == capacity) {
            const std::size_t larger = std::max(kMinimumGrowth, capacity * 2);
            auto grown = std::make_unique_for_overwrite<char[]>(larger);
            std::copy(data.get(), data.get() + size, grown.get());
            data = std::move(grown);
            capacity = larger;
        }
        const std::size_t got = readSome(data.get() + size, capacity - size);
        if (got == 0)
            break;
        size += got;
    }
    return FileBytes(std::move(data), size);
}

FileBytes readWholeFile(const std::string& path)
{
    InputFile file(path);
    return file.readAll();
}

} // namespace common
