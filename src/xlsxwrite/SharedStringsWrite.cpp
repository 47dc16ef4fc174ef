#include "xlsxwrite/SharedStringsWrite.h"

#include "common/Error.h"
#include "common/FormatMessage.h"
#include "xlsx/CellTexts.h"
#include "xlsx/OpenXmlNames.h"
#include "xlsx/SharedStrings.h"
#include "xlsxwrite/XmlSplice.h"
#include "xml/XmlMessages.h"
#include "xml/XmlParser.h"

#include <charconv>

namespace xlsxwrite {

namespace {

constexpr std::size_t kNone = std::string_view::npos;

// Where the sst element's start and end tags lie.
class SstHandler : public xml::Handler {
  public:
    explicit SstHandler(const xml::Parser*& parser) : m_parser(parser) {}

    void startElement(const char* name, xml::Attributes) override
    {
        if (tagBegin == kNone && xlsx::nameOf(name).isMain("sst")) {
            tagBegin = static_cast<std::size_t>(m_parser->eventOffset());
            tagLength = m_parser->eventLength();
            ++m_depth;
        } else if (m_depth > 0) {
            ++m_depth;
        }
    }
    void endElement(const char*) override
    {
        if (m_depth > 0 && --m_depth == 0 && m_parser->eventLength() != 0)
            endBegin = static_cast<std::size_t>(m_parser->eventOffset());
    }
    void characters(std::string_view) override {}

    std::size_t tagBegin = kNone;
    std::size_t tagLength = 0;
    std::size_t endBegin = kNone; // kNone for <sst/>

  private:
    const xml::Parser*& m_parser;
    int m_depth = 0;
};

std::int64_t numberOf(const std::string& text)
{
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

SharedStringsWriter::SharedStringsWriter(const zip::Archive& archive, std::string part)
    : m_part(std::move(part))
{
    xlsx::readSharedStrings(archive, m_part, [this](std::string_view stored, bool rich) {
        if (!rich)
            m_plain.emplace(xlsx::unescapeText(stored), static_cast<std::uint32_t>(m_count));
        ++m_count;
    });
}

std::uint32_t SharedStringsWriter::indexOf(const std::string& text)
{
    const auto found = m_plain.find(text);
    if (found != m_plain.end())
        return found->second;
    const auto index = static_cast<std::uint32_t>(m_count + m_added.size());
    m_added.push_back(text);
    m_plain.emplace(text, index);
    return index;
}

std::string SharedStringsWriter::rewrite(std::string_view xml, std::int64_t references) const
{
    const xml::Parser* current = nullptr;
    SstHandler handler(current);
    xml::Parser parser(handler, xml::Names::Expanded);
    current = &parser;
    parser.parse(xml);
    if (handler.tagBegin == kNone)
        throw common::Error(
            common::formatMessage(xml::kReasonBadPart, {m_part, "it holds no shared strings"}));

    std::string tag(xml.substr(handler.tagBegin, handler.tagLength));
    const std::string prefix = prefixOfTag(tag);
    std::string items;
    for (const std::string& text : m_added)
        items += "<" + prefix + "si>" + textElement(prefix, text) + "</" + prefix + "si>";
    std::string value;
    if (attributeOfTag(tag, "uniqueCount", value))
        tag = withAttribute(tag, "uniqueCount", std::to_string(m_count + m_added.size()));
    if (attributeOfTag(tag, "count", value))
        tag = withAttribute(tag, "count",
                            std::to_string(std::max<std::int64_t>(0, numberOf(value) + references)));

    std::vector<Splice> splices;
    if (handler.endBegin == kNone) {
        splices.push_back({handler.tagBegin, handler.tagBegin + handler.tagLength,
                           openedTag(tag) + items + "</" + prefix + "sst>"});
    } else {
        splices.push_back({handler.tagBegin, handler.tagBegin + handler.tagLength, tag});
        splices.push_back({handler.endBegin, handler.endBegin, items});
    }
    return applySplices(xml, std::move(splices));
}

} // namespace xlsxwrite
