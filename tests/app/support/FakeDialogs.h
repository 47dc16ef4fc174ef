// Scripted dialogs for the window tests: every call is recorded, and answers
// come from queues filled by the test. An unscripted question is answered as
// Cancel (and recorded), so that no test can ever wait for a user.
#pragma once

#include "app/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace testing_support {

class FakeDialogs : public app::Dialogs {
  public:
    struct Call {
        QString kind; // "openFile", "openFiles", "saveFile", "browseForFolder", "selectDirectory",
                      // "info", "error", "question", "yesNo"
        QString text; // the filter, instruction, initial path or message
        app::FileDialogOptions options;
    };

    // Answers, taken front first. nullopt stands for Cancel.
    std::deque<std::optional<QString>> fileAnswers;      // openFile, saveFile
    std::deque<std::optional<QStringList>> filesAnswers; // openFiles
    std::deque<std::optional<QString>> folderAnswers;    // browseForFolder, selectDirectory
    std::deque<bool> questionAnswers;                    // question, yesNo
    // Runs inside info()/error(), while the box would be up (after recording).
    std::function<void(const Call&)> onMessage;

    std::vector<Call> calls;

    // The texts of the calls of one kind, in order.
    QStringList texts(const QString& kind) const;
    int count(const QString& kind) const { return static_cast<int>(texts(kind).size()); }

    std::optional<QString> openFile(const QString& filter, const app::FileDialogOptions& options) override;
    std::optional<QStringList> openFiles(const QString& filter,
                                         const app::FileDialogOptions& options) override;
    std::optional<QString> saveFile(const QString& filter, const app::FileDialogOptions& options) override;
    std::optional<QString> browseForFolder(const QString& instruction) override;
    std::optional<QString> selectDirectory(const QString& initialPath) override;
    void info(const QString& text) override;
    void error(const QString& text) override;
    bool question(const QString& text) override;
    bool yesNo(const QString& text) override;

  private:
    template <typename T> static T take(std::deque<T>& queue);
    void message(const QString& kind, const QString& text);
};

} // namespace testing_support
