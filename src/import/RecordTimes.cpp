#include "import/RecordTimes.h"

#include "import/CustomDataRecord.h"

#include <algorithm>

namespace importer {

void RecordTimes::assign(std::string_view fileBytes)
{
    m_sorted.clear();
    m_sorted.reserve(fileBytes.size() / kRecordSize);
    const auto* bytes = reinterpret_cast<const unsigned char*>(fileBytes.data());
    for (std::size_t offset = 0; offset + kRecordSize <= fileBytes.size(); offset += kRecordSize)
        m_sorted.push_back(decodeRecord(bytes + offset).time);
    if (!std::is_sorted(m_sorted.begin(), m_sorted.end()))
        std::sort(m_sorted.begin(), m_sorted.end());
}

bool RecordTimes::contains(std::int32_t time) const
{
    if (m_sorted.empty() || time > m_sorted.back())
        return false;
    return std::binary_search(m_sorted.begin(), m_sorted.end(), time);
}

void RecordTimes::add(std::int32_t time)
{
    if (m_sorted.empty() || time > m_sorted.back()) {
        m_sorted.push_back(time);
        return;
    }
    const auto place = std::lower_bound(m_sorted.begin(), m_sorted.end(), time);
    if (place == m_sorted.end() || *place != time)
        m_sorted.insert(place, time);
}

} // namespace importer
