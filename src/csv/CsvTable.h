// A .csv file as the data layer's one table. Its cells are all texts,
// exactly as the fields are written (after unquoting); a field left empty
// is an empty cell. The table is laid out as a worksheet's is (its used
// range: the first record holding a value gives the field names, columns
// empty in every record to the left are not fields, records after the last
// value are not rows), so that a sheet saved as .csv gives the table the
// sheet itself gives. Records shorter than the widest are padded with empty
// cells; fields without a name, and those beyond the header, are named "F"
// and their number (F5), as a sheet's unnamed columns are. A file without a
// value gives what an empty sheet gives: one field F1 and no rows.
#pragma once

#include "common/CodePage.h"
#include "common/RegionalSettings.h"
#include "table/Table.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace csv {

// The table of a .csv file's bytes (CsvText.h), its texts in `codePage`
// added to `texts`. Memory and work grow with the file's size alone. Throws
// common::Error with the reason (CsvMessages.h) the file cannot be read.
std::unique_ptr<table::Table> readCsvTable(std::string_view bytes, const common::CodePage& codePage,
                                           const common::RegionalSettings& settings,
                                           std::vector<std::string>& texts);

} // namespace csv
