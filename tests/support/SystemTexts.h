// The system's own words for the failures the tests provoke, as the file
// errors quote them (their second %s): strerror's on POSIX, FormatMessage's
// on Windows, whatever the language.
#pragma once

#include <string>

namespace testing_support {

enum class Failure {
    MissingFile,   // 2
    MissingFolder, // 3
    Folder,        // 5: a folder where a file was expected
    AccessDenied,  // 5
    InvalidName,   // 123, as the system says it (POSIX: as Windows says it in English)
    Exists,        // 183: a file where a folder is to be made
};

std::string systemText(Failure failure);

} // namespace testing_support
