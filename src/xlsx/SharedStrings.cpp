#include "xlsx/SharedStrings.h"

#include "common/Error.h"
#include "xlsx/CellTexts.h"
#include "xlsx/OpenXmlNames.h"
#include "xlsx/PackageParts.h"
#include "xlsx/ReadMessages.h"
#include "xml/PackagePart.h"

namespace xlsx {

namespace {

// A cell holds at most 32767 characters; a text far beyond that is damage.
constexpr std::size_t kMaxText = std::size_t{1} << 20;

class SharedStringsHandler : public xml::Handler {
  public:
    explicit SharedStringsHandler(const SharedStringVisitor& visit) : m_visit(visit) {}

    void startElement(const char* name, xml::Attributes) override
    {
        const Name element = nameOf(name);
        if (element.vocabulary != Vocabulary::SpreadsheetMain)
            return;
        if (element.local == "si") {
            m_inItem = true;
            m_rich = false;
            m_text.clear();
        } else if (element.local == "t") {
            m_inText = m_inItem && m_phoneticDepth == 0;
        } else if (element.local == "r") {
            m_rich = m_rich || m_inItem;
        } else if (element.local == "rPh") {
            ++m_phoneticDepth;
        }
    }
    void endElement(const char* name) override
    {
        const Name element = nameOf(name);
        if (element.vocabulary != Vocabulary::SpreadsheetMain)
            return;
        if (element.local == "t") {
            m_inText = false;
        } else if (element.local == "rPh") {
            --m_phoneticDepth;
        } else if (element.local == "si") {
            m_inItem = false;
            m_visit(m_text, m_rich);
        }
    }
    void characters(std::string_view text) override
    {
        if (!m_inText)
            return;
        if (m_text.size() + text.size() > kMaxText)
            throw common::Error(kReasonTextTooLong);
        m_text += text;
    }

  private:
    const SharedStringVisitor& m_visit;
    std::string m_text;
    bool m_inItem = false;
    bool m_inText = false;
    bool m_rich = false;
    int m_phoneticDepth = 0;
};

} // namespace

void readSharedStrings(const zip::Archive& archive, const std::string& part, const SharedStringVisitor& visit)
{
    SharedStringsHandler handler(visit);
    xml::parsePart(archive, part, handler, xml::Names::Expanded);
}

std::vector<std::string> readSharedStrings(const zip::Archive& archive, const std::string& part,
                                           const common::CodePage& codePage)
{
    std::vector<std::string> texts;
    if (part.empty())
        return texts;
    readSharedStrings(archive, part, [&](std::string_view stored, bool) {
        texts.push_back(storedTextToCodePage(stored, codePage));
    });
    return texts;
}

} // namespace xlsx
