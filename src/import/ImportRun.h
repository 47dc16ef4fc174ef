// The import run: every valid line of the listed text files appended as a
// custom-data record to <folder>/<data name>/<code><extension>.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"
#include "import/ImportCounts.h"
#include "import/QuoteTxtReader.h"

#include <cstddef>
#include <string>

namespace importer {

// The analysis program the record files are made for.
enum class ImportTarget {
    DaZhiHui = 0, // ".dat"
    FeiHu = 1,    // ".adt"
};

const char* extensionOf(ImportTarget target);

// What the run asks of its caller while it goes. The window implements this
// over its controls; tests and the command line over plain values.
class ImportHost {
  public:
    virtual ~ImportHost() = default;

    // The number of entries, taken once at the start of the run.
    virtual std::size_t entryCount() = 0;
    // The entry at `position` (0-based), fetched when its turn comes. Throws
    // Error("List index out of bounds (%d)") when the list has become shorter.
    virtual std::string entry(std::size_t position) = 0;
    // Read anew for every line.
    virtual ImportTarget target() = 0;
    // Called once before every line (the window processes its events here).
    virtual void beforeLine() {}
    // A line of the current entry that gives no record, and why; lines are
    // counted from 1 in each entry. Only skipped lines cost this call.
    // AlreadyInRecordFile comes only with ImportOptions::skipExisting.
    virtual void lineSkipped(SkipReason /*reason*/, std::size_t /*lineNumber*/) {}
    // The progress text: "正在转换:" + entry, then "转换完成" (system code page).
    virtual void progress(const std::string& text) = 0;
    // An input problem, shown in the message box; the run then ends.
    virtual void message(const std::string& text) = 0;
    // The settings for the parses, read for every line so that a settings
    // change during the run takes effect from the next line.
    virtual const common::RegionalSettings& settings() = 0;
};

struct ImportOptions {
    std::string customDataFolder; // used verbatim
    common::CodePage codePage;
    int currentYear = 0; // the year of the application's context; required
    // Leave out a line whose record file holds a record of its time already
    // (a day imported twice, a run repeated after an error). A record file's
    // times are read once, when it becomes the open target; records the run
    // appends count from then on. Off in the window, which appends every line.
    bool skipExisting = false;
};

// Runs the import. Throws common::Error for a failing file operation (the
// records written before stay) and for a number overflow, and
// std::invalid_argument when the options hold no current year.
void runImport(const ImportOptions& options, ImportHost& host);
// The same, counting what it does into `counts` (which keeps what was done
// before an error).
void runImport(const ImportOptions& options, ImportHost& host, ImportCounts& counts);

} // namespace importer
