// I/O errors: codes in the Windows numbering, whatever the platform, so that
// every message reads the same everywhere.
#pragma once

#include "common/Error.h"

#include <string>

namespace common {

// Windows error codes the system reports, and its own file codes.
namespace io {
constexpr int kFileNotFound = 2;
constexpr int kPathNotFound = 3;
constexpr int kTooManyOpenFiles = 4;
constexpr int kAccessDenied = 5;
constexpr int kSharingViolation = 32;
constexpr int kDiskFull = 112; // the operating system's "disk full"
constexpr int kInvalidName = 123;
constexpr int kAlreadyExists = 183;
constexpr int kReadBeyondEnd = 100;       // own code
constexpr int kShortWrite = 101;          // own code: fewer bytes written than asked ("Disk full")
constexpr int kFileNotOpen = 103;         // own code
constexpr int kInvalidNumericInput = 106; // own code
} // namespace io

// The message for a code: "File not found", "I/O error 183", ...
std::string ioErrorMessage(int code);

// An Error of Kind::Io with the message of the code (and, when a system
// call failed, the system's words for the failure).
Error ioError(int code, std::string systemText = {});

// The system's description of error 123, for messages that refuse a name
// the file system cannot take before any call is made: Windows' own words
// on Windows; on POSIX, which has no such error, Windows' English ones.
std::string invalidNameText();

// Throws the I/O error of the system call on `path` that has just failed,
// with the system's text for it (errno on POSIX, GetLastError on Windows).
[[noreturn]] void throwLastIoError(const std::string& path);

} // namespace common
