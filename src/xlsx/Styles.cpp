#include "xlsx/Styles.h"

#include "table/DateFormat.h"
#include "xlsx/OpenXmlNames.h"
#include "xlsx/PackageParts.h"
#include "xml/PackagePart.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <map>

namespace xlsx {

namespace {

// Excel keeps at most 64000 cell formats: more are not read, so that a
// damaged part cannot make the list grow with its size.
constexpr std::size_t kMaxFormats = std::size_t{1} << 20;

// Number format ids go up to 0xFFFF in practice; anything that does not
// read as a number is no format.
std::uint32_t idOf(const char* text)
{
    std::uint32_t id = UINT32_MAX;
    if (text)
        std::from_chars(text, text + std::strlen(text), id);
    return id;
}

class StylesHandler : public xml::Handler {
  public:
    void startElement(const char* name, xml::Attributes attributes) override
    {
        const Name element = nameOf(name);
        if (element.vocabulary != Vocabulary::SpreadsheetMain)
            return;
        if (element.local == "numFmt") {
            const char* code = xml::attribute(attributes, "formatCode");
            const std::uint32_t id = idOf(xml::attribute(attributes, "numFmtId"));
            if (code && id != UINT32_MAX && m_codes.size() < kMaxFormats)
                m_codes[id] = code;
        } else if (element.local == "cellXfs") {
            m_inCellXfs = true;
        } else if (element.local == "xf" && m_inCellXfs && m_formatIds.size() < kMaxFormats) {
            m_formatIds.push_back(idOf(xml::attribute(attributes, "numFmtId")));
        }
    }
    void endElement(const char* name) override
    {
        if (nameOf(name).isMain("cellXfs"))
            m_inCellXfs = false;
    }
    void characters(std::string_view) override {}

    std::vector<char> dateStyles() const
    {
        std::vector<char> isDate(m_formatIds.size(), 0);
        for (std::size_t i = 0; i < m_formatIds.size(); ++i) {
            const std::uint32_t id = m_formatIds[i];
            const auto own = m_codes.find(id);
            if (own != m_codes.end()) {
                // The letters that matter are ASCII, and no byte of a UTF-8
                // sequence is: widening byte by byte keeps them apart.
                const std::u16string code(own->second.begin(), own->second.end());
                isDate[i] = table::isDateFormatCode(code) ? 1 : 0;
            } else if (id <= UINT16_MAX) {
                isDate[i] = table::isBuiltInDateFormat(static_cast<std::uint16_t>(id)) ? 1 : 0;
            }
        }
        return isDate;
    }

  private:
    std::map<std::uint32_t, std::string> m_codes;
    std::vector<std::uint32_t> m_formatIds;
    bool m_inCellXfs = false;
};

} // namespace

std::vector<char> readDateStyles(const zip::Archive& archive, const std::string& stylesPart)
{
    if (stylesPart.empty())
        return {};
    StylesHandler handler;
    xml::parsePart(archive, stylesPart, handler, xml::Names::Expanded);
    return handler.dateStyles();
}

} // namespace xlsx
