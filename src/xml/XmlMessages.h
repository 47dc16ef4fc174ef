// Why an XML part cannot be read (English, as the rest of the data layer's
// messages). The reasons of the parser come after the part's name in
// kReasonBadPart; the data layer puts these after the path in its "Cannot
// open the workbook" message.
#pragma once

namespace xml {

constexpr const char* kReasonMissingPart = "its part \"%s\" is missing";
constexpr const char* kReasonBadPart = "its part \"%s\" cannot be read: %s";

constexpr const char* kReasonNotWellFormed = "it is not well-formed XML (line %s: %s)";
constexpr const char* kReasonDocumentType = "it declares a document type, which a package part may not";
constexpr const char* kReasonEntity = "it declares an entity, which a package part may not";
constexpr const char* kReasonTokenTooLong = "one XML tag or text in it runs on for more than 8 MiB";
constexpr const char* kReasonOutOfMemory = "there is not enough memory to read it";

} // namespace xml
