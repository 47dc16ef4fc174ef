// Scripted dialogs for the tests of the pages and of the windows: every call
// is recorded, and answers come from queues filled by the test. An
// unscripted question is answered as Cancel (and recorded), so that no test
// can ever wait for a user. `Texts` says how a test holds texts: as bytes
// (ByteTexts, for the page layer's tests) or as a toolkit's strings (the
// window tests' QString), converted from and to bytes at this edge.
#pragma once

#include "pages/Dialogs.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// Texts held as the bytes the page layer hands over.
struct ByteTexts {
    using Text = std::string;
    using TextList = std::vector<std::string>;
    static Text fromBytes(const std::string& bytes) { return bytes; }
    static std::string toBytes(const Text& text) { return text; }
};

template <typename Texts> class ScriptedDialogs : public pages::Dialogs {
  public:
    using Text = typename Texts::Text;
    using TextList = typename Texts::TextList;

    struct Call {
        Text kind; // "openFile", "openFiles", "saveFile", "browseForFolder", "selectDirectory",
                   // "info", "error", "question", "yesNo"
        Text text; // the filter, instruction, initial path or message
        pages::FileDialogOptions options;
    };

    // Answers, taken front first. nullopt stands for Cancel.
    std::deque<std::optional<Text>> fileAnswers;      // openFile, saveFile
    std::deque<std::optional<TextList>> filesAnswers; // openFiles
    std::deque<std::optional<Text>> folderAnswers;    // browseForFolder, selectDirectory
    std::deque<bool> questionAnswers;                 // question, yesNo
    // Runs inside info()/error(), while the box would be up (after recording).
    std::function<void(const Call&)> onMessage;

    std::vector<Call> calls;

    // The texts of the calls of one kind, in order.
    TextList texts(const Text& kind) const
    {
        TextList result;
        for (const Call& call : calls) {
            if (call.kind == kind)
                result.push_back(call.text);
        }
        return result;
    }
    int count(const Text& kind) const { return static_cast<int>(texts(kind).size()); }

    std::optional<std::string> openFile(const std::string& filter,
                                        const pages::FileDialogOptions& options) override
    {
        record("openFile", filter, options);
        return bytes(take(fileAnswers));
    }
    std::optional<std::vector<std::string>> openFiles(const std::string& filter,
                                                      const pages::FileDialogOptions& options) override
    {
        record("openFiles", filter, options);
        const std::optional<TextList> answer = take(filesAnswers);
        if (!answer)
            return std::nullopt;
        std::vector<std::string> files;
        for (const Text& file : *answer)
            files.push_back(Texts::toBytes(file));
        return files;
    }
    std::optional<std::string> saveFile(const std::string& filter,
                                        const pages::FileDialogOptions& options) override
    {
        record("saveFile", filter, options);
        return bytes(take(fileAnswers));
    }
    std::optional<std::string> browseForFolder(const std::string& instruction) override
    {
        record("browseForFolder", instruction);
        return bytes(take(folderAnswers));
    }
    std::optional<std::string> selectDirectory(const std::string& initialPath) override
    {
        record("selectDirectory", initialPath);
        return bytes(take(folderAnswers));
    }
    void info(const std::string& text) override { message("info", text); }
    void error(const std::string& text) override { message("error", text); }
    bool question(const std::string& text) override
    {
        record("question", text);
        return take(questionAnswers);
    }
    bool yesNo(const std::string& text) override
    {
        record("yesNo", text);
        return take(questionAnswers);
    }

  private:
    // An empty queue answers T{}: Cancel, or false for a question.
    template <typename T> static T take(std::deque<T>& queue)
    {
        T answer{};
        if (!queue.empty()) {
            answer = std::move(queue.front());
            queue.pop_front();
        }
        return answer;
    }
    static std::optional<std::string> bytes(const std::optional<Text>& text)
    {
        if (!text)
            return std::nullopt;
        return Texts::toBytes(*text);
    }
    void record(const char* kind, const std::string& text, const pages::FileDialogOptions& options = {})
    {
        calls.push_back({Texts::fromBytes(kind), Texts::fromBytes(text), options});
    }
    void message(const char* kind, const std::string& text)
    {
        record(kind, text);
        if (onMessage) {
            const Call call = calls.back(); // the callback may add calls
            onMessage(call);
        }
    }
};

} // namespace testing_support
