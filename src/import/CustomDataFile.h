// One open record file: exists, open for appending, create, append, close.
// Paths are bytes in the system code page. Every failing operation throws the
// I/O error (common/IoError.h) with the operating system's code.
#pragma once

#include "common/RecordFile.h"
#include "import/CustomDataRecord.h"

#include <string>

namespace importer {

class CustomDataFile {
  public:
    CustomDataFile() : m_file(kRecordSize) {}
    CustomDataFile(const CustomDataFile&) = delete;
    CustomDataFile& operator=(const CustomDataFile&) = delete;

    // True when a file, not a folder, is present at `path`.
    static bool exists(const std::string& path);

    // Opens an existing file for reading and writing. Never creates, never
    // truncates. Closes the file held before.
    void openForAppending(const std::string& path);
    // Creates the file for reading and writing. An existing file is opened as
    // it is and never emptied, so a file that appeared since exists() said no
    // keeps its records. A folder at the path fails with access denied (5).
    void create(const std::string& path);
    // openForAppending when the file exists, create when not, in one call.
    void openOrCreate(const std::string& path);
    // The same for the file `name` in `folder`, held open by the caller for
    // a run of files: the system then need not walk the folder's path again.
    void openOrCreate(const common::RecordFolder& folder, const std::string& name);

    // Writes the record with one 8-byte write at the end of the file, or,
    // the first time after an open, over an incomplete trailing record left
    // by someone else, at (length div 8) * 8. Other processes may append to
    // the same file at the same time: no record of either is lost or torn
    // (common/RecordFile.h). Fewer bytes written than 8 throws I/O error
    // 101. Throws 103 when not open.
    void append(const CustomDataRecord& record);

    // Closes the file; nothing happens when none is open. A file still open
    // when the object goes is closed without a report.
    void close() { m_file.close(); }

    bool isOpen() const { return m_file.isOpen(); }
    // True when the last open made the file.
    bool created() const { return m_file.created(); }
    // The open file's bytes, from its start (common::RecordFile::readAll).
    void readAll(std::string& bytes) { m_file.readAll(bytes); }
    const std::string& path() const { return m_file.path(); }

  private:
    common::RecordFile m_file;
};

} // namespace importer
