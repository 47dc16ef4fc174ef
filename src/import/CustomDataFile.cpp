#include "import/CustomDataFile.h"

#include "common/FileSystem.h"

#include <string_view>

namespace importer {

bool CustomDataFile::exists(const std::string& path)
{
    return common::fileExists(path);
}

void CustomDataFile::openForAppending(const std::string& path)
{
    m_file.openExisting(path);
    m_path = path;
}

void CustomDataFile::create(const std::string& path)
{
    m_file.openOrCreate(path);
    m_path = path;
}

void CustomDataFile::openOrCreate(const std::string& path)
{
    m_file.openOrCreate(path);
    m_path = path;
}

void CustomDataFile::append(const CustomDataRecord& record)
{
    // The length is asked anew for every record: another program may have
    // appended meanwhile.
    const std::uint64_t length = m_file.length();
    const RecordBytes bytes = encodeRecord(record);
    m_file.writeAt(length - length % kRecordSize,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace importer
