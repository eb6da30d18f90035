// What the tests of the main window over its session share.
#include "win32/SessionWindowTest.h"

#include "common/Utf8Path.h"
#include "picture/PngEncoder.h"
#include "win32/GdiObject.h"

namespace pelliton::win32::test {

namespace {

int ColumnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

}  // namespace

Capture CaptureClient(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    Capture capture{client.right, client.bottom, {}};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = capture.width;
    format.bmiHeader.biHeight = -capture.height;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const GdiObject<HBITMAP> bitmap(CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ previous = SelectObject(dc, bitmap.get());
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    capture.pixels.assign(first, first + static_cast<std::size_t>(capture.width) * capture.height);
    for (std::uint32_t& pixel : capture.pixels) pixel &= 0xFFFFFF;
    SelectObject(dc, previous);
    DeleteDC(dc);
    return capture;
}

std::vector<std::wstring> ColumnTitles(HWND list) {
    std::vector<std::wstring> titles;
    for (int column = 0; column < ColumnCount(list); ++column) {
        wchar_t text[64] = {};
        LVCOLUMNW item{};
        item.mask = LVCF_TEXT;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        titles.emplace_back(text);
    }
    return titles;
}

std::vector<std::wstring> RowTexts(HWND list, int row) {
    std::vector<std::wstring> texts;
    for (int column = 0; column < ColumnCount(list); ++column) {
        wchar_t text[256] = {};
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        texts.emplace_back(text);
    }
    return texts;
}

int SelectedRow(HWND list) {
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void SelectRow(HWND list, int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
}

std::wstring StatusText(HWND statusBar) {
    std::wstring text(static_cast<std::size_t>(LOWORD(SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0))) + 1, L'\0');
    SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(text.find(L'\0'));
    return text;
}

void SessionWindowTest::SetUp() {
    WindowTest::SetUp();
    if (IsSkipped()) return;
    folder_ = std::make_unique<testing::TempDir>();
    previous_ = std::filesystem::current_path();
}

void SessionWindowTest::TearDown() {
    window_.reset();
    if (!previous_.empty()) std::filesystem::current_path(previous_);
}

std::string SessionWindowTest::CopySample(const std::string& sample, const std::string& name) const {
    const std::filesystem::path target = folder_->path() / (name.empty() ? sample : name);
    std::filesystem::copy_file(std::filesystem::absolute(PELLITON_SAMPLES_DIR) / sample, target,
                               std::filesystem::copy_options::overwrite_existing);
    return PathToUtf8(target);
}

std::string SessionWindowTest::WritePicture(const std::string& name, int seed) const {
    RgbaPicture picture;
    picture.width = 64;
    picture.height = 64;
    picture.rgba.resize(64 * 64 * 4);
    for (std::size_t i = 0; i < picture.rgba.size(); ++i) {
        picture.rgba[i] = static_cast<std::uint8_t>(i % 4 == 3 ? 255 : (i * 7 + static_cast<std::size_t>(seed) * 61) % 256);
    }
    return folder_->Write(name, EncodePng(picture));
}

MainWindow& SessionWindowTest::Window() {
    if (!window_) window_ = std::make_unique<MainWindow>(recent, dialogs);
    return *window_;
}

}  // namespace pelliton::win32::test
