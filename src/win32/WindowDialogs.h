// Every dialog and prompt the main window shows, behind one interface, so that tests answer them
// instead of a user. Paths are UTF-8; nothing means the user cancelled.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "session/WindowSession.h"
#include "teamcolour/ArmyPainter.h"

namespace pelliton::win32 {

class WindowDialogs {
public:
    virtual ~WindowDialogs() = default;
    virtual std::optional<std::string> ChooseRshFile(HWND owner) = 0;
    virtual std::optional<std::string> ChoosePicture(HWND owner) = 0;
    virtual std::optional<std::string> ChooseSavePath(HWND owner, const std::string& suggested) = 0;
    virtual std::optional<std::string> ChooseFolder(HWND owner) = 0;
    // A team colour, starting at start, under title.
    virtual std::optional<TeamColour> ChooseColour(HWND owner, const std::string& title, TeamColour start) = 0;
    // Save, Discard or Cancel, for unsaved changes.
    virtual UnsavedAnswer AskUnsaved(HWND owner, const std::string& question) = 0;
    virtual void ShowFailure(HWND owner, const std::string& message) = 0;
};

}  // namespace pelliton::win32
