// Dialogs and prompts that give the answers the test set, instead of asking a user, and keep what
// they were asked; and a list of recent files kept in memory rather than in the user's settings.
#pragma once

#include <string>
#include <vector>

#include <QStringList>

#include "shell/WindowDialogs.h"

namespace pelliton::testing {

class ScriptedDialogs : public WindowDialogs {
public:
    std::optional<QString> ChooseRshFile(QWidget*) override {
        ++rshFileShown;
        return rshFile;
    }
    std::optional<QString> ChoosePicture(QWidget*) override { return picture; }
    std::optional<QString> ChooseSaveAsPath(QWidget*, const QString& openFile) override {
        saveAsOffered = openFile;
        return saveAsPath;
    }
    std::optional<QString> ChooseExportFolder(QWidget*, const QString&) override { return exportFolder; }
    UnsavedAnswer AskAboutUnsavedChanges(QWidget*, const QString& question) override {
        questions << question;
        return unsavedAnswer;
    }
    void ShowFailure(QWidget*, const QString& failure) override { failures << failure; }
    std::optional<TeamColour> ChooseColour(QWidget*, const QString& title, TeamColour start) override {
        colourTitles << title;
        colourStarts.push_back(start);
        return colour;
    }

    // Nothing: the user cancels that dialog.
    std::optional<QString> rshFile;
    std::optional<QString> picture;
    std::optional<QString> saveAsPath;
    std::optional<QString> exportFolder;
    UnsavedAnswer unsavedAnswer = UnsavedAnswer::Cancel;
    std::optional<TeamColour> colour;

    int rshFileShown = 0;
    QString saveAsOffered;
    QStringList questions;
    QStringList failures;
    QStringList colourTitles;
    std::vector<TeamColour> colourStarts;
};

class MemoryRecentFilesStore : public RecentFilesStore {
public:
    std::vector<std::string> Load() override { return paths; }
    void Store(const std::vector<std::string>& stored) override { paths = stored; }

    std::vector<std::string> paths;
};

}  // namespace pelliton::testing
