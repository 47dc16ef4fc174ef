#include "xlsx/OpenXmlNames.h"

#include "xml/XmlParser.h"

#include <cstring>

namespace xlsx {

namespace {

constexpr std::string_view kStrictMain = "http://purl.oclc.org/ooxml/spreadsheetml/main";
constexpr std::string_view kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::string_view kStrictRelationships = "http://purl.oclc.org/ooxml/officeDocument/relationships";
constexpr std::string_view kPackageRelationships =
    "http://schemas.openxmlformats.org/package/2006/relationships";

// True when `expanded` is `uri` followed by the separator; the local name
// follows it.
bool inNamespace(const char* expanded, std::string_view uri)
{
    return std::strncmp(expanded, uri.data(), uri.size()) == 0 &&
           expanded[uri.size()] == xml::kNamespaceSeparator;
}

} // namespace

Name nameOf(const char* expanded)
{
    // The worksheet's own namespace first: nearly every element of a sheet is in it.
    if (inNamespace(expanded, kMainNamespace))
        return {Vocabulary::SpreadsheetMain, expanded + kMainNamespace.size() + 1};
    const char* separator = std::strchr(expanded, xml::kNamespaceSeparator);
    if (!separator)
        return {Vocabulary::Other, expanded};
    const std::string_view uri(expanded, static_cast<std::size_t>(separator - expanded));
    Name name{Vocabulary::Other, separator + 1};
    if (uri == kStrictMain)
        name.vocabulary = Vocabulary::SpreadsheetMain;
    else if (uri == kRelationships || uri == kStrictRelationships)
        name.vocabulary = Vocabulary::Relationships;
    else if (uri == kPackageRelationships)
        name.vocabulary = Vocabulary::PackageRelationships;
    return name;
}

const char* relationshipAttribute(const char* const* attributes, std::string_view local)
{
    for (; *attributes; attributes += 2) {
        const Name name = nameOf(attributes[0]);
        if (name.vocabulary == Vocabulary::Relationships && name.local == local)
            return attributes[1];
    }
    return nullptr;
}

std::string_view relationshipKind(std::string_view type)
{
    for (const std::string_view prefix : {kRelationships, kStrictRelationships}) {
        if (type.size() > prefix.size() && type.starts_with(prefix) && type[prefix.size()] == '/')
            return type.substr(prefix.size() + 1);
    }
    return {};
}

} // namespace xlsx
