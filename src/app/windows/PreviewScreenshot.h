// The sheet preview's picture for the screenshot tool: the page "Excel转txt"
// of a fresh main window with a workbook's first sheet open, reached through
// the page's own handlers.
#pragma once

#include <QString>

namespace app {

// The committed sample workbook of the source tree (tests/data/Quotes.xls).
QString sampleWorkbookPath();

// Chooses `workbookPath` with Browse1Button (the file dialog answers with
// it), picks the first sheet and saves the window as a PNG file at `pngPath`,
// printing that path. Errors the handlers raise go to stderr, never to a box;
// false when anything failed.
bool savePreviewScreenshot(const QString& workbookPath, const QString& pngPath);

} // namespace app
