// The main window's dialogs as Windows shows them: the common dialogs and message boxes.
#pragma once

#include "win32/ColourDialog.h"
#include "win32/WindowDialogs.h"

namespace pelliton::win32 {

class NativeDialogs final : public WindowDialogs {
public:
    std::optional<std::string> ChooseRshFile(HWND owner) override;
    std::optional<std::string> ChoosePicture(HWND owner) override;
    std::optional<std::string> ChooseSavePath(HWND owner, const std::string& suggested) override;
    std::optional<std::string> ChooseFolder(HWND owner) override;
    std::optional<TeamColour> ChooseColour(HWND owner, const std::string& title, TeamColour start) override;
    UnsavedAnswer AskUnsaved(HWND owner, const std::string& question) override;
    void ShowFailure(HWND owner, const std::string& message) override;

private:
    CustomColours customColours_ = kEmptyCustomColours;  // kept for the run
};

}  // namespace pelliton::win32
