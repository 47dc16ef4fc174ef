// What tells one version of a file from another without reading it: which
// file it is (the device and the file's number there, which a replace
// through a rename changes) and its size and modification time (which a
// write in place changes). A write in place that keeps the size within the
// file system's timestamp granularity goes unseen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace common {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t fileId = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at `path` (a link's target); nothing when no file
// is there or it cannot be looked at.
std::optional<FileStamp> stampOf(const std::string& path);

} // namespace common
