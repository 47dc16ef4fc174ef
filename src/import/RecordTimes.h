// The times a record file holds, for leaving out the lines of a day that
// was imported already.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace importer {

class RecordTimes {
  public:
    // The times of every whole record of a record file's bytes (an
    // incomplete record at the end is no record).
    void assign(std::string_view fileBytes);
    void clear() { m_sorted.clear(); }
    bool contains(std::int32_t time) const;
    // A record of `time` has been appended.
    void add(std::int32_t time);

  private:
    // Kept sorted: files are mostly in time order already, so that the
    // sort costs one pass, and appends in order cost nothing more.
    std::vector<std::int32_t> m_sorted;
};

} // namespace importer
