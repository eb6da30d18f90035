// The seam between the window's commands and the dialogs and prompts they show, so that tests can
// answer them instead of a user.
#pragma once

#include <optional>

#include <QString>

#include "session/WindowSession.h"

class QWidget;

namespace pelliton {

class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;
    // Each returns the chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> ChooseRshFile(QWidget* parent) = 0;
    virtual std::optional<QString> ChoosePicture(QWidget* parent) = 0;
    virtual std::optional<QString> ChooseSaveAsPath(QWidget* parent, const QString& openFile) = 0;
    virtual std::optional<QString> ChooseExportFolder(QWidget* parent, const QString& startFolder) = 0;
    // "Save the changes ...?" with Save, Discard and Cancel.
    virtual UnsavedAnswer AskAboutUnsavedChanges(QWidget* parent, const QString& question) = 0;
    // A plain message with OK only.
    virtual void ShowFailure(QWidget* parent, const QString& failure) = 0;
    // The platform's colour dialog under title, starting at start; nothing when the user cancelled.
    virtual std::optional<TeamColour> ChooseColour(QWidget* parent, const QString& title, TeamColour start) = 0;
};

}  // namespace pelliton
