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
}

void CustomDataFile::create(const std::string& path)
{
    m_file.openOrCreate(path);
}

void CustomDataFile::openOrCreate(const std::string& path)
{
    m_file.openOrCreate(path);
}

void CustomDataFile::openOrCreate(const common::RecordFolder& folder, const std::string& name)
{
    m_file.openOrCreate(folder, name);
}

void CustomDataFile::append(const CustomDataRecord& record)
{
    const RecordBytes bytes = encodeRecord(record);
    m_file.append(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace importer
