// Writing a zip package in memory: entries copied from another package with
// their compressed bytes as they are, and new entries deflated (zlib, a fast
// level: a sheet part of a few megabytes takes tens of milliseconds, where
// the default level takes four times as long for a fifth less size). Local
// headers are written with their sizes (no data descriptors); names, dates,
// CRCs and attributes are kept. No zip64: a package that would need it is
// refused.
#pragma once

#include "zip/ZipArchive.h"

#include <string>
#include <string_view>

namespace zip {

class Writer {
  public:
    // Appends `entry` of `from`, its compressed bytes unchanged.
    void copy(const Archive& from, const Entry& entry);
    // Appends `data` deflated under `like`'s name, date and attributes.
    void add(const Entry& like, std::string_view data);
    // The whole package: the entries, then the central directory. Throws
    // common::Error when it would need zip64.
    std::string finish();

  private:
    void append(const Entry& entry, std::string_view compressed);

    std::string m_bytes;
    std::string m_directory;
    std::size_t m_count = 0;
};

} // namespace zip
