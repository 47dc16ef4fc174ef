#include "app/TextBridge.h"

#include "common/Encoding.h"

#include <optional>

namespace app {

namespace {
// Read lazily: the locale is only valid once QApplication has called setlocale.
std::optional<common::CodePage>& storedCodePage()
{
    static std::optional<common::CodePage> codePage;
    return codePage;
}
} // namespace

const common::CodePage& uiCodePage()
{
    auto& stored = storedCodePage();
    if (!stored)
        stored = common::CodePage::fromLocale();
    return *stored;
}

void setUiCodePage(const common::CodePage& codePage)
{
    storedCodePage() = codePage;
}

QString fromBytes(std::string_view bytes)
{
    const std::string utf8 = common::codePageToUtf8(bytes, uiCodePage());
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return common::utf8ToCodePage(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                                  uiCodePage());
}

} // namespace app
