// The main window's dialogs as Windows shows them: the common dialogs and message boxes.
#include "win32/NativeDialogs.h"

#include "win32/FileDialogs.h"
#include "win32/PlainMessage.h"
#include "win32/WideText.h"

namespace pelliton::win32 {

namespace {

std::optional<std::string> ToUtf8(const std::optional<std::wstring>& path) {
    if (!path || path->empty()) return std::nullopt;
    return WideToUtf8(*path);
}

}  // namespace

std::optional<std::string> NativeDialogs::ChooseRshFile(HWND owner) { return ToUtf8(win32::ChooseRshFile(owner)); }

std::optional<std::string> NativeDialogs::ChoosePicture(HWND owner) { return ToUtf8(win32::ChoosePicture(owner)); }

std::optional<std::string> NativeDialogs::ChooseSavePath(HWND owner, const std::string& suggested) {
    return ToUtf8(win32::ChooseSavePath(owner, Utf8ToWide(suggested)));
}

std::optional<std::string> NativeDialogs::ChooseFolder(HWND owner) { return ToUtf8(win32::ChooseFolder(owner)); }

std::optional<TeamColour> NativeDialogs::ChooseColour(HWND owner, const std::string& title, TeamColour start) {
    return win32::ChooseColour(owner, Utf8ToWide(title), start, customColours_);
}

UnsavedAnswer NativeDialogs::AskUnsaved(HWND owner, const std::string& question) {
    return AskSaveOrDiscard(owner, question);
}

void NativeDialogs::ShowFailure(HWND owner, const std::string& message) { ShowPlainMessage(owner, message); }

}  // namespace pelliton::win32
