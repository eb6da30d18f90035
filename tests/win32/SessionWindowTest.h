// What the tests of the main window over its session share: a folder of its own holding copies of
// the samples, scripted dialogs, recent files in memory, and reading back what the window shows.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "ui/VersionedTexts.h"
#include "win32/ControlIds.h"
#include "win32/MainWindow.h"
#include "win32/ScriptedDialogs.h"
#include "win32/WindowTest.h"

namespace pelliton::win32::test {

// The client area's pixels (0xRRGGBB) as the control paints them.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    bool operator==(const Capture&) const = default;

    std::uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

Capture CaptureClient(HWND control);

// The titles of a list view's columns, and the texts of a row, column by column.
std::vector<std::wstring> ColumnTitles(HWND list);
std::vector<std::wstring> RowTexts(HWND list, int row);
int SelectedRow(HWND list);
// Selects the row as a click does: the list tells its parent.
void SelectRow(HWND list, int row);

std::wstring StatusText(HWND statusBar);

// Exports land beside the file opened, and the session moves the current directory there: each
// test works in a folder of its own and leaves the current directory as it found it.
class SessionWindowTest : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Copies the sample into the test's folder, under another name if given; returns its UTF-8 path.
    std::string CopySample(const std::string& sample, const std::string& name = "") const;
    // A 64 x 64 PNG picture in the test's folder, its texels made from seed.
    std::string WritePicture(const std::string& name, int seed) const;
    std::filesystem::path Folder() const { return folder_->path(); }

    MainWindow& Window();
    HWND Hwnd() { return Window().Handle(); }
    HWND Item(int id) { return GetDlgItem(Hwnd(), id); }
    void Command(ui::MainCommand command) { SendMessageW(Hwnd(), WM_COMMAND, CommandId(command), 0); }
    Capture Pane() { return CaptureClient(Item(kPreviewPaneId)); }
    bool Unsaved() { return WindowText(Hwnd()).starts_with(L"*"); }

    static constexpr const char* kTank = "sample_tank.rsh";
    ScriptedDialogs dialogs;
    MemoryRecentFiles recent;

private:
    std::unique_ptr<testing::TempDir> folder_;
    std::filesystem::path previous_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace pelliton::win32::test
