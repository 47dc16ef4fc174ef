// Why an XML part cannot be read (English, as the rest of the data layer's
// messages). A format's reader puts them after the part's name.
#pragma once

namespace xml {

constexpr const char* kReasonNotWellFormed = "it is not well-formed XML (line %s: %s)";
constexpr const char* kReasonDocumentType = "it declares a document type, which a package part may not";
constexpr const char* kReasonEntity = "it declares an entity, which a package part may not";
constexpr const char* kReasonTokenTooLong = "one XML tag or text in it runs on for more than 8 MiB";
constexpr const char* kReasonOutOfMemory = "there is not enough memory to read it";

} // namespace xml
