// The parts of an Office Open XML package and the relationships between
// them: where the workbook, its worksheets, its styles and its shared
// strings lie in the zip, found as Excel finds them (through the .rels
// parts). Parts are streamed by xml/PackagePart.h.
#pragma once

#include "xml/XmlParser.h"
#include "zip/ZipArchive.h"

#include <string>
#include <string_view>
#include <vector>

namespace xlsx {

struct Relationship {
    std::string id;
    std::string kind;   // relationshipKind of its type ("worksheet"), or the whole type
    std::string target; // the part it names, resolved against the source part's folder
    bool external = false;
};

// "xl/worksheets/sheet1.xml" for the target "worksheets/sheet1.xml" of the
// part "xl/workbook.xml"; an absolute target ("/xl/...") from the root;
// "." and ".." steps resolved.
std::string resolveTarget(std::string_view sourcePart, std::string_view target);
// "xl/_rels/workbook.xml.rels" for "xl/workbook.xml"; "_rels/.rels" for "".
std::string relationshipsPartOf(std::string_view part);

struct WorksheetPart {
    std::string name; // UTF-8, as the workbook names the sheet
    std::string part; // the zip entry
};

// Where a workbook's parts lie.
struct PackageLayout {
    std::string workbookPart;
    std::vector<WorksheetPart> worksheets; // in workbook order; chart and macro sheets left out
    std::string stylesPart;                // empty when there is none
    std::string sharedStringsPart;         // empty when there is none
    bool date1904 = false;
    std::vector<Relationship> workbookRelationships;
};

// Reads the package's relationships and its workbook part. Throws
// common::Error (ReadMessages.h) when the package is not a workbook or a
// part it names is missing or damaged.
PackageLayout readPackageLayout(const zip::Archive& archive);

} // namespace xlsx
