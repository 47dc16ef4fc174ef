// Why a zip package cannot be read (English, as the rest of the data layer's
// messages). The data layer puts them after the path in its "Cannot open the
// workbook" message. "%s" marks where details go.
#pragma once

namespace zip {

constexpr const char* kReasonNotZip = "it is not a zip package (%s)";
constexpr const char* kReasonDamaged = "its zip directory is damaged (%s)";
constexpr const char* kReasonTruncated = "the file is truncated (%s)";
constexpr const char* kReasonPartDamaged = "its part \"%s\" is damaged (%s)";
constexpr const char* kReasonPartEncrypted = "its part \"%s\" is encrypted";
constexpr const char* kReasonPartMethod =
    "its part \"%s\" is compressed with method %s, which is not supported";
constexpr const char* kReasonPartTooLarge =
    "its part \"%s\" would inflate to %s bytes, far more than a package of this size holds";
constexpr const char* kReasonTooLargeToWrite = "the package would grow beyond 4 GiB";

} // namespace zip
