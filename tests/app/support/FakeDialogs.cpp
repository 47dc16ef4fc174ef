#include "support/FakeDialogs.h"

namespace testing_support {

// An empty queue answers T{}: Cancel, or false for a question.
template <typename T> T FakeDialogs::take(std::deque<T>& queue)
{
    T answer{};
    if (!queue.empty()) {
        answer = std::move(queue.front());
        queue.pop_front();
    }
    return answer;
}

QStringList FakeDialogs::texts(const QString& kind) const
{
    QStringList result;
    for (const Call& call : calls) {
        if (call.kind == kind)
            result << call.text;
    }
    return result;
}

std::optional<QString> FakeDialogs::openFile(const QString& filter, const app::FileDialogOptions& options)
{
    calls.push_back({QStringLiteral("openFile"), filter, options});
    return take(fileAnswers);
}

std::optional<QStringList> FakeDialogs::openFiles(const QString& filter,
                                                  const app::FileDialogOptions& options)
{
    calls.push_back({QStringLiteral("openFiles"), filter, options});
    return take(filesAnswers);
}

std::optional<QString> FakeDialogs::saveFile(const QString& filter, const app::FileDialogOptions& options)
{
    calls.push_back({QStringLiteral("saveFile"), filter, options});
    return take(fileAnswers);
}

std::optional<QString> FakeDialogs::browseForFolder(const QString& instruction)
{
    calls.push_back({QStringLiteral("browseForFolder"), instruction, {}});
    return take(folderAnswers);
}

std::optional<QString> FakeDialogs::selectDirectory(const QString& initialPath)
{
    calls.push_back({QStringLiteral("selectDirectory"), initialPath, {}});
    return take(folderAnswers);
}

void FakeDialogs::message(const QString& kind, const QString& text)
{
    calls.push_back({kind, text, {}});
    if (onMessage) {
        const Call call = calls.back(); // the callback may add calls
        onMessage(call);
    }
}

void FakeDialogs::info(const QString& text)
{
    message(QStringLiteral("info"), text);
}

void FakeDialogs::error(const QString& text)
{
    message(QStringLiteral("error"), text);
}

bool FakeDialogs::question(const QString& text)
{
    calls.push_back({QStringLiteral("question"), text, {}});
    return take(questionAnswers);
}

bool FakeDialogs::yesNo(const QString& text)
{
    calls.push_back({QStringLiteral("yesNo"), text, {}});
    return take(questionAnswers);
}

} // namespace testing_support
