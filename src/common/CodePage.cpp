#include "common/CodePage.h"

#include <algorithm>
#include <cctype>

namespace common {

namespace {

struct CodesetAlias {
    const char* name; // upper case, without "-" and "_"
    int number;
};

// Codeset names as glibc and other C libraries report them, folded to upper
// case without punctuation so that "UTF-8", "utf8" and "UTF_8" all match.
constexpr CodesetAlias kCodesetAliases[] = {
    {"GBK", 936},       {"GB2312", 936},         {"CP936", 936},   {"EUCCN", 936},     {"GB18030", 54936},
    {"UTF8", 65001},    {"SHIFTJIS", 932},       {"SJIS", 932},    {"CP932", 932},     {"WINDOWS31J", 932},
    {"EUCKR", 949},     {"CP949", 949},          {"UHC", 949},     {"BIG5", 950},      {"CP950", 950},
    {"BIG5HKSCS", 950}, {"ANSIX3.41968", 20127}, {"ASCII", 20127}, {"USASCII", 20127}, {"KOI8R", 20866},
    {"KOI8U", 21866},   {"CP437", 437},          {"CP850", 850},   {"CP866", 866},     {"CP874", 874},
    {"TIS620", 874},
};

std::string foldCodesetName(std::string_view codeset)
{
    std::string folded;
    for (char c : codeset) {
        if (c == '-' || c == '_')
            continue;
        folded += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return folded;
}

// "ISO88591".."ISO885916" and "CP1250".."CP1258" / "WINDOWS1250"..: the
// numbered families.
int numberedCodeset(const std::string& folded)
{
    auto numberAfter = [&](std::string_view prefix) -> int {
        if (folded.size() <= prefix.size() || folded.compare(0, prefix.size(), prefix) != 0)
            return 0;
        int value = 0;
        for (std::size_t i = prefix.size(); i < folded.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(folded[i])) || value > 100000)
                return 0;
            value = value * 10 + (folded[i] - '0');
        }
        return value;
    };
    if (int part = numberAfter("ISO8859"); part >= 1 && part <= 16)
        return 28590 + part;
    if (int cp = numberAfter("CP"); cp >= 1250 && cp <= 1258)
        return cp;
    if (int cp = numberAfter("WINDOWS"); cp >= 1250 && cp <= 1258)
        return cp;
    return 0;
}

} // namespace

CodePage::CodePage(int number) : m_number(number), m_leadBytes(systemLeadBytes(number)) {}

CodePage CodePage::fromCodesetName(std::string_view codeset)
{
    const std::string folded = foldCodesetName(codeset);
    for (const CodesetAlias& alias : kCodesetAliases) {
        if (folded == alias.name)
            return CodePage(alias.number);
    }
    if (int number = numberedCodeset(folded))
        return CodePage(number);
    return CodePage(1252);
}

LeadBytes knownLeadBytes(int number)
{
    LeadBytes lead;
    auto range = [&lead](unsigned first, unsigned last) {
        for (unsigned byte = first; byte <= last; ++byte)
            lead.set(byte);
    };
    switch (number) {
    case 932:
        range(0x81, 0x9F);
        range(0xE0, 0xFC);
        break;
    case 936:
    case 949:
    case 950:
    case 54936:
        range(0x81, 0xFE);
        break;
    default:
        break;
    }
    return lead;
}

std::string CodePage::iconvName() const
{
    switch (m_number) {
    case 936:
        return "GBK";
    case 54936:
        return "GB18030";
    case 65001:
        return "UTF-8";
    case 932:
        return "CP932";
    case 949:
        return "CP949";
    case 950:
        return "BIG5";
    case 20127:
        return "ASCII";
    case 20866:
        return "KOI8-R";
    case 21866:
        return "KOI8-U";
    default:
        break;
    }
    if (m_number > 28590 && m_number <= 28606)
        return "ISO-8859-" + std::to_string(m_number - 28590);
    return "CP" + std::to_string(m_number);
}

bool isTrailByte(std::string_view text, std::size_t index, const CodePage& codePage)
{
    if (!codePage.isDoubleByte() || index == 0 || index >= text.size())
        return false;
    std::size_t leadRun = 0;
    for (std::size_t i = index; i > 0 && codePage.isLeadByte(static_cast<unsigned char>(text[i - 1])); --i)
        ++leadRun;
    return leadRun % 2 == 1;
}

} // namespace common
