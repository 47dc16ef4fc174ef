// Handlers of the conversion on the page "Excel转txt": "转换" and the save
// folder's browse button.
#include "app/windows/TForm1.h"

#include "app/DataSource.h"
#include "app/TextBridge.h"
#include "app/windows/AutoSizeLabel.h"
#include "app/windows/DateMaskEdit.h"
#include "app/windows/LabeledEdit.h"
#include "common/Error.h"
#include "common/FileNames.h"
#include "common/FileSystem.h"
#include "convert/ConvertInputs.h"
#include "convert/ConvertRun.h"
#include "convert/QueryRowSource.h"
#include "workbook/Query.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QListWidget>

namespace app {

namespace {

constexpr const char* kUnableToCreateDirectory = "Unable to create directory";
// About one screen refresh. A row takes well under a microsecond, so
// handling events (and painting the label) for every row would cost far more
// than the conversion; at this rate the window still answers at once.
constexpr qint64 kEventIntervalMs = 16;
// Rows between two looks at the clock: reading it costs about as much as a
// row, and 64 rows still take far less than the interval above.
constexpr unsigned kRowsPerClockCheck = 64;

// The run's view of the page: the mapping list and the code column as they
// are at the click (the run reads them once), progress in ProgressLabel.
class FormConvertHost : public convert::ConvertHost {
  public:
    explicit FormConvertHost(TForm1& form) : m_form(form) {}
    // Also after an error: the label keeps the last progress text.
    ~FormConvertHost() override { showProgress(); }

    std::size_t mappingCount() override { return static_cast<std::size_t>(m_form.ListBox1->count()); }
    std::string mappingLine(std::size_t index) override
    {
        return toBytes(m_form.ListBox1->item(static_cast<int>(index))->text());
    }
    std::string codeColumn() override { return toBytes(m_form.CodeComboBox->currentText()); }
    void beforeRow() override
    {
        if (m_sinceEvents.isValid() &&
            (++m_rowsSinceCheck % kRowsPerClockCheck != 0 || m_sinceEvents.elapsed() < kEventIntervalMs))
            return;
        showProgress();
        QCoreApplication::processEvents();
        m_sinceEvents.start();
    }
    void progress(const std::string& text) override
    {
        m_progress = text;
        m_progressShown = false;
    }
    void setDataSourceEnabled(bool on) override
    {
        if (m_form.DataSource1)
            m_form.DataSource1->setEnabled(on);
    }

  private:
    void showProgress()
    {
        if (m_progressShown || m_progress.empty())
            return;
        m_form.ProgressLabel->setCaption(fromBytes(m_progress));
        m_progressShown = true;
    }

    TForm1& m_form;
    QElapsedTimer m_sinceEvents;
    unsigned m_rowsSinceCheck = 0;
    std::string m_progress;
    bool m_progressShown = true;
};

convert::ConvertInputs readInputs(const TForm1& form)
{
    convert::ConvertInputs inputs;
    inputs.workbookPath = toBytes(form.LabeledEdit1->text());
    // The exact text that was opened: a path typed since (and not confirmed
    // with Enter) names another workbook, even one that is the same file.
    inputs.workbookPathIsOpenBook =
        !form.ADOQuery1->isOpen() || form.LabeledEdit1->text() == form.openWorkbookPath();
    inputs.saveFolder = toBytes(form.LabeledEdit2->text());
    inputs.sheetOpen = form.ADOQuery1 && form.ADOQuery1->isOpen();
    inputs.codeColumnSelected = form.CodeComboBox->currentIndex() >= 0;
    inputs.quoteDate = toBytes(form.DateMaskEdit->maskedText());
    inputs.mappingCount = static_cast<std::size_t>(form.ListBox1->count());
    return inputs;
}

} // namespace

void TForm1::Button2Click()
{
    const convert::ConvertInputs inputs = readInputs(*this);
    if (const auto message = convert::firstFailedCheck(inputs, m_context.settings, m_context.currentYear(),
                                                       m_context.codePage)) {
        m_dialogs.info(fromBytes(*message));
        return;
    }
    // The run lets window events through; it walks a copy taken now, so its
    // files hold the rows as the preview showed them at the click, whatever
    // happens to the query meanwhile.
    convert::RowSnapshot rows(*ADOQuery1, m_context.codePage);
    runBlockingControls([&] {
        FormConvertHost host(*this);
        convert::runConversion({inputs.saveFolder, inputs.quoteDate, m_context.codePage}, rows, host);
    });
}

void TForm1::Browse2ButtonClick()
{
    const std::string start = common::folderPart(toBytes(LabeledEdit1->text()), m_context.codePage);
    const std::optional<QString> chosen = m_dialogs.selectDirectory(fromBytes(start));
    if (!chosen)
        return;
    const std::string folder = toBytes(*chosen);
    if (folder.empty())
        throw common::Error(kUnableToCreateDirectory);
    // A folder that cannot be made is not reported here; the run reports it
    // when it tries to enter it.
    if (!common::folderExists(folder))
        common::makeFolderWithParents(folder);
    LabeledEdit2->setText(*chosen);
}

} // namespace app
