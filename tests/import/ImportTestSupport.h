// Helpers of the import tests: record bytes by hand, the folder scan.
#pragma once

#include "common/CodePage.h"
#include "import/CollectTxtFiles.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace import_test {

inline std::string bytes(std::initializer_list<unsigned char> list)
{
    return std::string(list.begin(), list.end());
}

// The record of the worked example: 2008-01-15, 12.5.
inline const std::string kExampleRecord = bytes({0x80, 0xF7, 0x8B, 0x47, 0x00, 0x00, 0x48, 0x41});

// What collectTxtFiles adds to a list that already holds "earlier".
inline std::vector<std::string> scan(const std::string& folder)
{
    std::vector<std::string> paths{"earlier"};
    importer::collectTxtFiles(folder, paths, common::CodePage(936));
    return paths;
}

} // namespace import_test
