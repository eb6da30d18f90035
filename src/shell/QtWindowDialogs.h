// The dialogs and prompts of the main window as Qt shows them to a user.
#pragma once

#include "shell/WindowDialogs.h"

namespace pelliton {

class QtWindowDialogs : public WindowDialogs {
public:
    std::optional<QString> ChooseRshFile(QWidget* parent) override;
    std::optional<QString> ChoosePicture(QWidget* parent) override;
    std::optional<QString> ChooseSaveAsPath(QWidget* parent, const QString& openFile) override;
    std::optional<QString> ChooseExportFolder(QWidget* parent, const QString& startFolder) override;
    UnsavedAnswer AskAboutUnsavedChanges(QWidget* parent, const QString& question) override;
    void ShowFailure(QWidget* parent, const QString& failure) override;
    std::optional<TeamColour> ChooseColour(QWidget* parent, const QString& title, TeamColour start) override;
};

}  // namespace pelliton
