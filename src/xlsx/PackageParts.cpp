#include "xlsx/PackageParts.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "xlsx/OpenXmlNames.h"
#include "xlsx/ReadMessages.h"
#include "xml/PackagePart.h"
#include "xml/XmlMessages.h"

#include <cstring>

namespace xlsx {

namespace {

// A .rels part: its Relationship elements.
class RelationshipsHandler : public xml::Handler {
  public:
    RelationshipsHandler(std::string sourcePart, std::vector<Relationship>& out)
        : m_source(std::move(sourcePart)), m_out(out)
    {
    }

    void startElement(const char* name, xml::Attributes attributes) override
    {
        const Name element = nameOf(name);
        if (element.vocabulary != Vocabulary::PackageRelationships || element.local != "Relationship")
            return;
        const char* id = xml::attribute(attributes, "Id");
        const char* type = xml::attribute(attributes, "Type");
        const char* target = xml::attribute(attributes, "Target");
        const char* mode = xml::attribute(attributes, "TargetMode");
        if (!id || !type || !target)
            return;
        Relationship relationship;
        relationship.id = id;
        const std::string_view kind = relationshipKind(type);
        relationship.kind = kind.empty() ? std::string(type) : std::string(kind);
        relationship.external = mode && std::strcmp(mode, "External") == 0;
        relationship.target = relationship.external ? std::string(target) : resolveTarget(m_source, target);
        m_out.push_back(std::move(relationship));
    }
    void endElement(const char*) override {}
    void characters(std::string_view) override {}

  private:
    std::string m_source;
    std::vector<Relationship>& m_out;
};

// The workbook part: its sheets and its date system.
class WorkbookHandler : public xml::Handler {
  public:
    struct Sheet {
        std::string name;
        std::string relationshipId;
    };

    void startElement(const char* name, xml::Attributes attributes) override
    {
        const Name element = nameOf(name);
        if (element.isMain("sheet")) {
            const char* sheetName = xml::attribute(attributes, "name");
            const char* id = relationshipAttribute(attributes, "id");
            if (sheetName && id)
                sheets.push_back({sheetName, id});
        } else if (element.isMain("workbookPr")) {
            const char* value = xml::attribute(attributes, "date1904");
            date1904 = value && (std::strcmp(value, "1") == 0 || std::strcmp(value, "true") == 0);
        }
    }
    void endElement(const char*) override {}
    void characters(std::string_view) override {}

    std::vector<Sheet> sheets;
    bool date1904 = false;
};

std::vector<Relationship> readRelationships(const zip::Archive& archive, std::string_view sourcePart)
{
    const std::string part = relationshipsPartOf(sourcePart);
    if (!archive.find(part))
        throw common::Error(common::formatMessage(kReasonNotOpenXml, {part}));
    std::vector<Relationship> relationships;
    RelationshipsHandler handler{std::string(sourcePart), relationships};
    xml::parsePart(archive, part, handler, xml::Names::Expanded);
    return relationships;
}

const Relationship* findKind(const std::vector<Relationship>& relationships, std::string_view kind)
{
    for (const Relationship& relationship : relationships)
        if (!relationship.external && relationship.kind == kind)
            return &relationship;
    return nullptr;
}

} // namespace

std::string resolveTarget(std::string_view sourcePart, std::string_view target)
{
    std::vector<std::string_view> steps;
    auto addSteps = [&steps](std::string_view path) {
        while (!path.empty()) {
            const std::size_t slash = path.find('/');
            const std::string_view step = path.substr(0, slash);
            if (step == "..") {
                if (!steps.empty())
                    steps.pop_back();
            } else if (!step.empty() && step != ".") {
                steps.push_back(step);
            }
            if (slash == std::string_view::npos)
                break;
            path.remove_prefix(slash + 1);
        }
    };
    if (!target.starts_with('/')) {
        const std::size_t slash = sourcePart.rfind('/');
        if (slash != std::string_view::npos)
            addSteps(sourcePart.substr(0, slash));
    }
    addSteps(target);
    std::string part;
    for (const std::string_view step : steps) {
        if (!part.empty())
            part += '/';
        part += step;
    }
    return part;
}

std::string relationshipsPartOf(std::string_view part)
{
    const std::size_t slash = part.rfind('/');
    if (slash == std::string_view::npos)
        return "_rels/" + std::string(part) + ".rels";
    return std::string(part.substr(0, slash)) + "/_rels/" + std::string(part.substr(slash + 1)) + ".rels";
}

PackageLayout readPackageLayout(const zip::Archive& archive)
{
    PackageLayout layout;
    const Relationship* document = nullptr;
    const std::vector<Relationship> root = readRelationships(archive, "");
    document = findKind(root, "officeDocument");
    if (!document)
        throw common::Error(kReasonNoWorkbookPart);
    layout.workbookPart = document->target;
    xml::partEntry(archive, layout.workbookPart);
    layout.workbookRelationships = readRelationships(archive, layout.workbookPart);
    WorkbookHandler workbook;
    xml::parsePart(archive, layout.workbookPart, workbook, xml::Names::Expanded);
    layout.date1904 = workbook.date1904;
    for (const WorkbookHandler::Sheet& sheet : workbook.sheets) {
        const Relationship* found = nullptr;
        for (const Relationship& relationship : layout.workbookRelationships)
            if (relationship.id == sheet.relationshipId)
                found = &relationship;
        if (!found)
            throw common::Error(common::formatMessage(
                xml::kReasonBadPart, {layout.workbookPart, "sheet \"" + sheet.name + "\" names no part"}));
        if (found->kind != "worksheet")
            continue; // a chart sheet, dialog sheet or macro sheet holds no table
        xml::partEntry(archive, found->target);
        layout.worksheets.push_back({sheet.name, found->target});
    }
    if (const Relationship* styles = findKind(layout.workbookRelationships, "styles");
        styles && archive.find(styles->target))
        layout.stylesPart = styles->target;
    if (const Relationship* strings = findKind(layout.workbookRelationships, "sharedStrings"))
        layout.sharedStringsPart = xml::partEntry(archive, strings->target).name;
    return layout;
}

} // namespace xlsx
