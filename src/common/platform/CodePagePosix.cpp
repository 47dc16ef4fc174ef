// The user's code page on POSIX: the codeset of the LC_CTYPE the user chose.
#include "common/CodePage.h"

#include <clocale>
#include <langinfo.h>
#include <locale.h>

namespace common {

CodePage CodePage::fromLocale()
{
    // Asked of a locale object of its own, so that the answer does not depend
    // on whether the program has called setlocale yet.
    if (locale_t user = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr))) {
        CodePage codePage = fromCodesetName(nl_langinfo_l(CODESET, user));
        freelocale(user);
        return codePage;
    }
    return fromCodesetName(nl_langinfo(CODESET));
}

// The C library has no lead-byte ranges to ask for.
LeadBytes systemLeadBytes(int number)
{
    return knownLeadBytes(number);
}

} // namespace common
