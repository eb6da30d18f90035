// Dialogs that give the answers a test set, in order, instead of asking a user; a dialog the test
// did not expect fails it.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "session/RecentFiles.h"
#include "win32/WindowDialogs.h"

namespace pelliton::win32::test {

class ScriptedDialogs final : public WindowDialogs {
public:
    using Answer = std::optional<std::string>;  // nothing: the user cancels

    std::optional<std::string> ChooseRshFile(HWND) override { return Next(rshFiles, "open"); }
    std::optional<std::string> ChoosePicture(HWND) override { return Next(pictures, "picture"); }
    std::optional<std::string> ChooseSavePath(HWND, const std::string& suggested) override {
        suggestedSavePaths.push_back(suggested);
        return Next(savePaths, "save as");
    }
    std::optional<std::string> ChooseFolder(HWND) override { return Next(folders, "folder"); }
    std::optional<TeamColour> ChooseColour(HWND, const std::string& title, TeamColour start) override {
        colourQuestions.push_back({title, start});
        return Next(colours, "colour");
    }
    UnsavedAnswer AskUnsaved(HWND, const std::string& question) override {
        questions.push_back(question);
        if (unsavedAnswers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return UnsavedAnswer::Cancel;
        }
        const UnsavedAnswer answer = unsavedAnswers.front();
        unsavedAnswers.pop_front();
        return answer;
    }
    void ShowFailure(HWND, const std::string& message) override { failures.push_back(message); }

    std::deque<Answer> rshFiles;
    std::deque<Answer> pictures;
    std::deque<Answer> savePaths;
    std::deque<Answer> folders;
    std::deque<UnsavedAnswer> unsavedAnswers;
    std::deque<std::optional<TeamColour>> colours;

    std::vector<std::string> suggestedSavePaths;
    std::vector<std::string> questions;
    std::vector<std::string> failures;
    struct ColourQuestion {
        std::string title;
        TeamColour start;
    };
    std::vector<ColourQuestion> colourQuestions;

private:
    template <class Choice>
    static std::optional<Choice> Next(std::deque<std::optional<Choice>>& answers, const char* dialog) {
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << dialog << " dialog";
            return std::nullopt;
        }
        std::optional<Choice> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// The recent files held in memory, so that no test touches the user's registry.
class MemoryRecentFiles final : public RecentFilesStore {
public:
    std::vector<std::string> Load() override { return paths; }
    void Store(const std::vector<std::string>& stored) override { paths = stored; }

    std::vector<std::string> paths;
};

}  // namespace pelliton::win32::test
