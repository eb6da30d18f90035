#include "session/WindowSession.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <new>
#include <system_error>

#include "common/PellitonError.h"
#include "common/Utf8Path.h"
#include "export/AtomicFile.h"
#include "export/TreeTextureExport.h"
#include "preview/PictureFrame.h"
#include "roundtrip/TextureDocument.h"
#include "rsh/TextureFormats.h"
#include "rsh/TreeText.h"
#include "session/PatternDocument.h"
#include "session/RshSession.h"
#include "session/TextureView.h"
#include "ui/VersionedTexts.h"

namespace pelliton {

namespace {

// The device draws into the largest square of the pane, as it always had a square pane to draw
// in: a wider pane must not stretch the picture. The rest of the pane shows the device's background.
class SquareOfPane final : public d3d8::DeviceWindow {
public:
    explicit SquareOfPane(PaneSurface& pane) : pane_(pane) {}

    int ClientWidth() const override { return Side(); }
    int ClientHeight() const override { return Side(); }
    void ShowFrame(const d3d8::FrameView& frame) override {
        const int width = std::max(pane_.ClientWidth(), frame.width);
        const int height = std::max(pane_.ClientHeight(), frame.height);
        if (width == frame.width && height == frame.height) {
            pane_.ShowPixels(frame.width, frame.height, frame.pixels);
            return;
        }
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, kFrameBackground);
        const int left = (width - frame.width) / 2;
        const int top = (height - frame.height) / 2;
        for (int y = 0; y < frame.height; ++y) {
            const auto row = frame.pixels.subspan(static_cast<std::size_t>(y) * frame.width, frame.width);
            std::copy(row.begin(), row.end(), pixels.begin() + static_cast<std::ptrdiff_t>(top + y) * width + left);
        }
        pane_.ShowPixels(width, height, pixels);
    }

private:
    int Side() const { return std::min(pane_.ClientWidth(), pane_.ClientHeight()); }

    PaneSurface& pane_;
};

// The list is narrow: a format's short name, or the image type's number when the tool has none.
std::string ShortFormatName(std::int32_t imageType) {
    const TextureFormat* format = FindTextureFormat(imageType);
    if (format == nullptr) return "type " + std::to_string(imageType);
    return format->layout == TexelLayout::Uncompressed ? "32-bit" : std::string(format->fourCC);
}

TextureRow RowOf(const TreeTexture& texture) {
    const TextureAttributes& attributes = texture.attributes;
    return {EscapeControls(texture.name), ShortFormatName(attributes.imageType), attributes.width, attributes.height,
            attributes.mipLevels, texture.problem};
}

// The path as the window keeps it: absolute, so that a later change of the current folder cannot
// move it, and UTF-8.
std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(PathFromUtf8(path), error);
    return error ? path : PathToUtf8(absolute);
}

std::string Reason(const std::exception& error) {
    return dynamic_cast<const std::bad_alloc*>(&error) != nullptr ? "out of memory" : error.what();
}

constexpr const char* kPatternNotEdited = "a team colour pattern is changed from the command line only";

}  // namespace

std::string_view DeviceUnavailableMessage() { return kDeviceUnavailableMessage; }

struct WindowSession::State {
    State(SessionView& view, PaneSurface& pane, RecentFilesStore& recentStore, RuntimeFactory makeRuntime)
        : view(view), pane(pane), window(pane), road(view, window, std::move(makeRuntime)), shown(road, pane),
          recent(recentStore) {}

    void Failure(const std::string& what) { view.AddDebugLine("Error: " + what); }
    void SelectShown() {
        if (pattern && selected) {
            SelectPatternRow();
        } else {
            shown.Select(document ? &*document : nullptr, selected, ExportHoldsSelected());
        }
    }
    void SelectPatternRow() {
        const std::string& name = rows.at(*selected).name;
        try {
            shown.SelectPicture(pattern->PictureOfRow(*selected), name);
        } catch (const std::exception& failure) {
            shown.Select(nullptr, std::nullopt, false);
            road.ReportUnpreviewable(name, Reason(failure));
        }
    }
    void ShowSelected() {
        SelectShown();
        shown.Redraw();
    }
    bool ExportHoldsSelected() const {
        return exportedFirst && selected == 0 && document && !document->IsReplaced(0);
    }
    void FillRows() {
        rows.clear();
        if (document) std::transform(document->Textures().begin(), document->Textures().end(),
                                     std::back_inserter(rows), RowOf);
    }

    SessionView& view;
    PaneSurface& pane;
    SquareOfPane window;
    RshSession road;
    TextureView shown;
    RecentFiles recent;
    std::string filePath;
    std::optional<TextureDocument> document;
    std::vector<TextureRow> rows;
    std::optional<std::size_t> selected;
    std::unique_ptr<PatternDocument> pattern;  // instead of document, for a WTP file
    TeamColours colours = DefaultTeamColours();
    bool exportedFirst = false;  // the open wrote the first texture's export
    bool refreshable = false;    // something was opened that Refresh can draw

    // The pattern's open takes the place of the open road, which knows only texture files.
    OpenOutcome OpenPattern(const std::string& file) {
        if (!road.RenewPreview()) return OpenOutcome::DeviceUnavailable;
        filePath = file;
        document.reset();
        shown.Select(nullptr, std::nullopt, false);  // before the picture it shows goes
        pattern.reset();
        rows.clear();
        selected.reset();
        exportedFirst = false;
        view.ClearLog();
        view.SetStatusText(file);
        try {
            pattern = std::make_unique<PatternDocument>(file, colours);
            for (const std::string& line : pattern->Description()) view.AddDebugLine(line);
            rows = pattern->Rows();
        } catch (const std::exception& failure) {
            pattern.reset();
            rows.clear();
            Failure(Reason(failure));
            shown.ShowNothing();
            recent.Remove(file);
            return OpenOutcome::Failed;
        }
        recent.Add(file);
        selected = 0;
        refreshable = true;
        view.SetStatusText(file + "  (a team colour pattern, shown in its team colours)");
        ShowSelected();
        return OpenOutcome::Completed;
    }
};

WindowSession::WindowSession(SessionView& view, PaneSurface& pane, RecentFilesStore& recentStore,
                             RuntimeFactory makeRuntime)
    : state_(std::make_unique<State>(view, pane, recentStore, std::move(makeRuntime))) {}

WindowSession::~WindowSession() = default;

OpenOutcome WindowSession::Open(const std::string& path) {
    State& s = *state_;
    const std::string file = AbsolutePath(path);
    // As the Windows open dialog does, so that exports land beside their source.
    std::error_code error;
    std::filesystem::current_path(PathFromUtf8(file).parent_path(), error);
    if (IsTeamPatternFile(file)) return s.OpenPattern(file);

    const OpenResult result = s.road.Open(file);
    if (result.outcome == OpenResult::Outcome::DeviceUnavailable) return OpenOutcome::DeviceUnavailable;
    s.filePath = file;
    s.document.reset();
    s.shown.Select(nullptr, std::nullopt, false);  // before the picture it shows goes
    s.pattern.reset();
    s.selected.reset();
    s.exportedFirst = result.outcome == OpenResult::Outcome::Completed && !result.exportedFile.empty();
    if (result.fileRead) {
        try {
            s.document.emplace(file);
        } catch (const std::exception& failure) {
            s.Failure("cannot list the textures of " + file + ": " + Reason(failure));
        }
        s.recent.Add(file);
    } else {
        s.recent.Remove(file);  // a recent file that can no longer be read
    }
    s.FillRows();
    if (!s.rows.empty()) s.selected = 0;
    s.refreshable = s.refreshable || result.outcome == OpenResult::Outcome::Completed || s.document.has_value();
    // The road has drawn the export in perspective; any other view, or a texture that could not be
    // exported, is drawn from the file in memory.
    s.SelectShown();
    if (s.document && (!s.exportedFirst || s.shown.Scale() != PreviewScale::Perspective)) s.shown.Redraw();
    if (result.outcome == OpenResult::Outcome::Failed && s.document && !s.rows.empty()) {
        s.view.SetStatusText(file + "  (shown from the file in memory: nothing was exported)");
    }
    return result.outcome == OpenResult::Outcome::Completed ? OpenOutcome::Completed : OpenOutcome::Failed;
}

void WindowSession::Refresh() { state_->shown.Redraw(); }

bool WindowSession::HasFile() const { return state_->document.has_value() || state_->pattern != nullptr; }

const std::string& WindowSession::FilePath() const { return state_->filePath; }

const std::vector<TextureRow>& WindowSession::Textures() const { return state_->rows; }

std::optional<std::size_t> WindowSession::SelectedTexture() const { return state_->selected; }

void WindowSession::SelectTexture(std::size_t row) {
    State& s = *state_;
    if (row >= s.rows.size() || s.selected == row) return;
    s.selected = row;
    s.ShowSelected();
}

PreviewScale WindowSession::Scale() const { return state_->shown.Scale(); }

void WindowSession::SetScale(PreviewScale scale) { state_->shown.SetScale(scale); }

bool WindowSession::ShowsAlpha() const { return state_->shown.ShowsAlpha(); }

void WindowSession::SetShowAlpha(bool show) { state_->shown.SetShowAlpha(show); }

int WindowSession::MipLevel() const { return state_->shown.MipLevel(); }

void WindowSession::SetMipLevel(int level) { state_->shown.SetMipLevel(level); }

void WindowSession::Pan(int dx, int dy) { state_->shown.Pan(dx, dy); }

void WindowSession::PaneResized() {
    State& s = *state_;
    if (!s.refreshable) return;  // no device yet, and nothing to draw
    if (s.shown.Scale() == PreviewScale::Perspective) s.road.RenewPreview();
    s.shown.Redraw();
}

std::optional<std::string> WindowSession::ReplaceSelected(const std::string& picture) {
    State& s = *state_;
    if (s.pattern) return kPatternNotEdited;
    if (!s.document || !s.selected) return "no texture is selected";
    try {
        const ReplacedTexture replaced = s.document->Replace(*s.selected, picture);
        const std::string name = EscapeControls(replaced.name);
        s.view.AddDebugLine("texture " + name + " from " + picture + ": " + DescribeTexture(replaced.after));
        for (const std::string& change : DescribeChanges(replaced)) {
            s.view.AddDebugLine("texture " + name + ": " + change);
        }
        s.FillRows();
        s.ShowSelected();
        return std::nullopt;
    } catch (const std::exception& error) {
        s.Failure(Reason(error));
        return Reason(error);
    }
}

bool WindowSession::HasUnsavedChanges() const {
    return state_->document && state_->document->HasUnsavedChanges();
}

std::optional<std::string> WindowSession::Save() {
    if (state_->pattern) return kPatternNotEdited;
    if (!state_->document) return "no file is open";
    return SaveAs(state_->filePath);
}

std::optional<std::string> WindowSession::SaveAs(const std::string& path) {
    State& s = *state_;
    if (s.pattern) return kPatternNotEdited;
    if (!s.document) return "no file is open";
    const std::string file = AbsolutePath(path);
    try {
        s.document->SaveTo(file);
    } catch (const std::exception& failure) {
        const std::string reason = "cannot save " + file + ": " + Reason(failure);
        s.Failure(reason);
        return reason;
    }
    s.filePath = file;
    s.recent.Add(file);
    s.view.AddDebugLine("Saved: " + file);
    s.view.SetStatusText(file);
    return std::nullopt;
}

std::optional<std::string> WindowSession::ExportAll(const std::string& folder, bool asPng) {
    State& s = *state_;
    if (!HasFile()) return "no file is open";
    // As pelliton-rsh extract writes: a file there that differs is kept, as the modder may have
    // painted it since.
    const ExportWriter write = WriterSparing(s.filePath, WriteFileUnlessDifferent);
    s.view.AddDebugLine("");
    s.view.AddDebugLine("Export All Textures");
    s.view.AddDebugLine("===================");
    std::size_t written = 0;
    std::size_t count = 0;
    if (s.pattern) {
        count = s.pattern->PictureCount();
        const PatternFileType type = asPng ? PatternFileType::Png : PatternFileType::Tga;
        s.pattern->ExportPictures(PathFromUtf8(folder), type, [&](const std::filesystem::path& target,
                                                                 const std::function<void(OutputFile&)>& content) {
            try {
                write(target, content);
                s.view.AddDebugLine("Exported to: " + PathToUtf8(target));
                ++written;
            } catch (const std::exception& error) {
                s.Failure(Reason(error));  // it names the file; the other pictures are still written
            }
        });
    } else {
        const TextureExporter exporter = asPng ? ExportTreeTextureAsPng : ExportTreeTexture;
        for (const TreeTexture& texture : s.document->Textures()) {
            try {
                s.view.AddDebugLine("Exported to: " + PathToUtf8(exporter(texture, s.document->Source(), PathFromUtf8(folder), write)));
                ++written;
            } catch (const std::exception& error) {
                s.Failure("texture " + EscapeControls(texture.name) + ": " + Reason(error));
            }
        }
        count = s.document->Textures().size();
    }
    const std::string noun = s.pattern ? " picture" : " texture";
    const std::string summary = std::to_string(written) + " of " + std::to_string(count) + noun +
                                (count == 1 ? "" : "s") + " exported into " + folder;
    s.view.SetStatusText(summary);
    if (written == count) return std::nullopt;
    return summary + "; the log says why the others were not";
}

bool WindowSession::ConfirmLeaving(const std::function<UnsavedAnswer(const std::string& question)>& ask,
                                   const std::function<void(const std::string& failure)>& showFailure) {
    if (!HasUnsavedChanges()) return true;
    const std::string name = PathToUtf8(PathFromUtf8(state_->filePath).filename());
    switch (ask("Save the changes to " + name + "?")) {
        case UnsavedAnswer::Save:
            if (const auto failure = Save()) {
                showFailure(*failure);
                return false;
            }
            return true;
        case UnsavedAnswer::Discard:
            return true;
        case UnsavedAnswer::Cancel:
            break;
    }
    return false;
}

std::string WindowSession::WindowTitle() const {
    std::string title = ui::MainWindowTitle();
    if (HasUnsavedChanges()) title.insert(0, 1, '*');
    return title;
}

bool WindowSession::IsEnabled(ui::MainCommand command) const {
    const State& s = *state_;
    const bool selected = s.selected.has_value();
    switch (command) {
        case ui::MainCommand::Open:
        case ui::MainCommand::Quit:
        case ui::MainCommand::About:
            return true;
        case ui::MainCommand::Save:
            return HasUnsavedChanges();
        case ui::MainCommand::SaveAs:
            return s.document.has_value();
        case ui::MainCommand::ExportAll:
        case ui::MainCommand::ExportAllAsPng:
            return !s.rows.empty();
        case ui::MainCommand::Replace:
            return selected && !s.pattern;
        case ui::MainCommand::ViewPerspective:
        case ui::MainCommand::ViewFit:
        case ui::MainCommand::ViewActualSize:
        case ui::MainCommand::ShowAlpha:
            return selected;
        case ui::MainCommand::LargerMipLevel:
            return selected && s.shown.MipLevel() > 0;
        case ui::MainCommand::SmallerMipLevel:
            return selected && s.shown.MipLevel() < s.shown.MipLevels() - 1;
        case ui::MainCommand::Refresh:
            return s.refreshable;
    }
    return false;
}

bool WindowSession::IsChecked(ui::MainCommand command) const {
    switch (command) {
        case ui::MainCommand::ViewPerspective:
            return Scale() == PreviewScale::Perspective;
        case ui::MainCommand::ViewFit:
            return Scale() == PreviewScale::Fit;
        case ui::MainCommand::ViewActualSize:
            return Scale() == PreviewScale::ActualSize;
        case ui::MainCommand::ShowAlpha:
            return ShowsAlpha();
        default:
            return false;
    }
}

bool WindowSession::ShowsTeamPattern() const { return state_->pattern != nullptr; }

const TeamColours& WindowSession::TeamColourChoices() const { return state_->colours; }

void WindowSession::SetTeamColour(int index, TeamColour colour) {
    State& s = *state_;
    if (index < 0 || index >= kTeamColourCount) return;
    s.colours[static_cast<std::size_t>(index)] = colour;
    if (!s.pattern) return;
    try {
        s.pattern->Repaint(s.colours);
    } catch (const std::exception& failure) {
        s.Failure("cannot paint the team colours: " + Reason(failure));
        return;
    }
    s.selected = 0;
    s.ShowSelected();
}

const std::vector<std::string>& WindowSession::RecentFilePaths() const { return state_->recent.Paths(); }

}  // namespace pelliton
