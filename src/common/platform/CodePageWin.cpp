// The user's code page on Windows: the ANSI code page, with the lead bytes
// the system gives for it.
#include "common/CodePage.h"

#include "common/platform/WinApi.h"

namespace common {

CodePage CodePage::fromLocale()
{
    return CodePage(static_cast<int>(GetACP()));
}

LeadBytes systemLeadBytes(int number)
{
    // Only the double-byte code pages have lead bytes in the system's sense;
    // GB18030 (four bytes at most) and unknown numbers keep the known ranges.
    CPINFO info{};
    if (number <= 0 || !GetCPInfo(static_cast<UINT>(number), &info) || info.MaxCharSize != 2)
        return knownLeadBytes(number);
    LeadBytes lead;
    for (unsigned byte = 0x80; byte <= 0xFF; ++byte)
        lead[byte] = IsDBCSLeadByteEx(static_cast<UINT>(number), static_cast<BYTE>(byte)) != FALSE;
    return lead;
}

} // namespace common
