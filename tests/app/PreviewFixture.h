// A sheet query and its data link over a fixture workbook, with the link's
// guard and delete question scripted: what the preview controls are tested on
// without the main window around them.
#pragma once

#include "app/TextBridge.h"
#include "common/CodePage.h"
#include "common/Error.h"
#include "common/RegionalSettings.h"
#include "pages/DataSource.h"
#include "support/TestSupport.h"
#include "workbook/Connection.h"
#include "workbook/ConnectionString.h"
#include "workbook/Query.h"
#include "workbook/Statement.h"

#include <QStringList>

#include <string>

namespace preview_test {

// Fixture workbook (tests/data/Mixed.fods): sheet kQuotesSheet has thirteen
// fields, Code, Name, Close, ... close, and five rows; kEmptySheet has the
// titles Code and Close only.
inline const char* const kQuotesBook = "Mixed.xls";
inline const char* const kQuotesSheet = "Sheet1$";
inline const char* const kEmptySheet = "空表$";
inline constexpr int kQuotesRows = 5;
inline constexpr int kQuotesFields = 13;

struct PreviewRig {
    workbook::Connection connection{common::CodePage(65001), common::RegionalSettings{},
                                    common::fixedYear(2026)};
    workbook::Query query{connection};
    pages::DataSource source{query};
    QStringList errors;    // every error the guard caught, in order
    QStringList questions; // every delete question asked
    bool deleteAnswer = false;

    PreviewRig()
    {
        app::setUiCodePage(common::CodePage(65001));
        source.setGuard([this](const std::function<void()>& action) {
            try {
                action();
                return true;
            } catch (const common::Error& e) {
                errors << QString::fromUtf8(e.what());
                return false;
            }
        });
        source.setConfirmDelete([this] {
            questions << QString::fromUtf8(pages::kDeleteRecordQuestion);
            return deleteAnswer;
        });
    }

    // Opens a sheet of a copy of the fixture (edits may be written back);
    // false with openError set when that fails.
    bool open(const std::string& sheet, const std::string& book = kQuotesBook)
    {
        try {
            const std::string copy = folder.file(book);
            testing_support::writeBytes(copy, testing_support::readBytes(testing_support::dataPath(book)));
            connection.setConnectionString(workbook::connectionStringFor(copy));
            connection.setLoginPrompt(false);
            connection.open();
            query.setStatement(workbook::selectAllFrom(sheet));
            query.open();
        } catch (const std::exception& e) {
            openError = QString::fromUtf8(e.what());
            return false;
        }
        source.dataSetChanged();
        return true;
    }

    QString openError;

    testing_support::TempDir folder;
};

} // namespace preview_test

// Opens a fixture sheet in a rig; the test stops with the data layer's
// message when that fails.
#define PREVIEW_OPEN(rig, sheet) QVERIFY2((rig).open(sheet), qPrintable((rig).openError))
