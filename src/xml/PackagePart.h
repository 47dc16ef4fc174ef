// The XML parts of a zip package (.xlsx, .xlsm, .ods): a part found by its
// name and streamed to a handler as it is inflated, so that a part never
// lies in memory whole. Errors name the part.
#pragma once

#include "xml/XmlParser.h"
#include "zip/ZipArchive.h"

#include <string_view>

namespace xml {

// The entry of `part`; throws common::Error kReasonMissingPart when the
// package has none.
const zip::Entry& partEntry(const zip::Archive& archive, std::string_view part);

// Streams the XML of `part` to `handler`, inflating as it goes. Errors of
// the zip or the XML come as common::Error naming the part; an exception
// of another type thrown by the handler goes on as it is.
void parsePart(const zip::Archive& archive, std::string_view part, Handler& handler, Names names);

} // namespace xml
