// Everything the main window does, without a toolkit: the open road of a file, the list of its
// textures and the one shown, the view of the preview, pictures put in, saving, exporting all, and
// the files opened last. Each front end turns its menus, list and dialogs into these calls.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "preview/RuntimeFactory.h"
#include "session/PaneSurface.h"
#include "session/RecentFiles.h"
#include "session/SessionView.h"
#include "teamcolour/ArmyPainter.h"
#include "ui/MainMenu.h"

namespace pelliton {

enum class OpenOutcome {
    Completed,          // read, logged, and previewed; the first texture exported unless the log says otherwise
    Failed,             // the reason is in the log
    DeviceUnavailable,  // no preview device: the front end shows DeviceUnavailableMessage() and ends
};

std::string_view DeviceUnavailableMessage();

// How the preview shows the selected texture: through the device on a quad, as the window always
// has; scaled to fit the pane; or one texel to a pixel, panned by the user.
enum class PreviewScale { Perspective, Fit, ActualSize };

// A row of the texture list.
struct TextureRow {
    std::string name;    // UTF-8, as the file names it
    std::string format;  // "DXT1", "DXT3", "DXT5", "32-bit", or the image type's number; a pattern's
                         // rows: "painted", "32-bit", "grey"
    int width = 0;
    int height = 0;
    int mipLevels = 0;
    std::string problem;  // why it cannot be shown or exported; empty when it can
};

// The answer to "Save the changes to NAME?".
enum class UnsavedAnswer { Save, Discard, Cancel };

class WindowSession {
public:
    WindowSession(SessionView& view, PaneSurface& pane, RecentFilesStore& recentStore,
                  RuntimeFactory makeRuntime = MakeSoftwareRuntime);
    ~WindowSession();
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    // What the open command does once a file is chosen (UTF-8, made absolute here): the current
    // folder becomes the file's, the log lines, the export of the first texture beside it and its
    // preview, as always; then the texture list, its first row selected, and the file goes first
    // among the recent files. Where the export cannot be written, its "Error:" line stays in the
    // log, the preview shows the texture from the file in memory and the status bar says that
    // nothing was exported. A file that cannot be read leaves an empty list.
    // A team-colour pattern (a WTP file) takes none of that road: the log shows its chunk tree and
    // its description, nothing is written, and the list holds its pictures (see ShowsTeamPattern).
    // The caller asks ConfirmLeaving first: unsaved changes of the file open before are dropped.
    OpenOutcome Open(const std::string& path);

    // Draws the selected texture again: the last export for the first texture as it was written,
    // any other from the file in memory.
    void Refresh();

    bool HasFile() const;  // a file was read and is open, a texture file or a pattern
    const std::string& FilePath() const;  // UTF-8, absolute; empty before the first open
    const std::vector<TextureRow>& Textures() const;
    std::optional<std::size_t> SelectedTexture() const;
    // Shows the texture of that row, decoded from the file in memory: nothing is written.
    void SelectTexture(std::size_t row);

    PreviewScale Scale() const;
    void SetScale(PreviewScale scale);
    // Alpha over a checkerboard, rather than the colours alone (not in the perspective view).
    bool ShowsAlpha() const;
    void SetShowAlpha(bool show);
    // The MIP level shown, 0 the largest; a level other than 0 is not shown in perspective, so
    // choosing one leaves it for fitting the pane.
    int MipLevel() const;
    void SetMipLevel(int level);  // kept within the selected texture's levels
    // Moves the picture by dx, dy pixels in the actual-size view, kept within the picture.
    void Pan(int dx, int dy);
    // The pane has another size: the view is drawn again at it.
    void PaneResized();

    // Puts the picture (a PNG, TGA or DDS file, UTF-8) in place of the selected texture, in memory
    // until saved, and logs each change it made. Returns the reason when it could not; the file
    // in memory is then as it was.
    std::optional<std::string> ReplaceSelected(const std::string& picture);
    bool HasUnsavedChanges() const;
    // Writes the file in memory over the open file, or to path, safely (the old file stays whole
    // until the new one is complete); after Save As the file at path is the open one. Returns the
    // reason when it could not.
    std::optional<std::string> Save();
    std::optional<std::string> SaveAs(const std::string& path);

    // Writes every texture, or every picture of a pattern, into folder (UTF-8), as pelliton-rsh
    // extract names and writes them: a file there with other content is kept and named in the log.
    // Each file written or kept goes into the log, a summary into the status bar. Returns the reason
    // when some texture failed.
    std::optional<std::string> ExportAll(const std::string& folder, bool asPng);

    // Before the window closes or opens another file: true when it may go on. With unsaved changes
    // it asks (question as the argument); Save that fails shows its reason and stays.
    bool ConfirmLeaving(const std::function<UnsavedAnswer(const std::string& question)>& ask,
                        const std::function<void(const std::string& failure)>& showFailure);

    // The window's title: the designed title, with "*" before it while there are unsaved changes.
    std::string WindowTitle() const;
    // Whether a command can run now (menu items and "Refresh" are enabled from this); for Check
    // items, IsChecked gives their state.
    bool IsEnabled(ui::MainCommand command) const;
    bool IsChecked(ui::MainCommand command) const;

    // Whether the open file is a team-colour pattern (a WTP file). Its list then holds the pattern
    // painted in the team colours (selected on open), then its pictures: the base picture and each
    // layer present, as pelliton-rsh extract names them; and the team colour buttons are enabled.
    bool ShowsTeamPattern() const;
    // The colours the pattern is painted in, primary to eyes; kept from one file to the next.
    const TeamColours& TeamColourChoices() const;
    // Paints the pattern again with colour as team colour index (0 primary ... 4 eyes) and shows
    // the painted row, selecting it. Without a pattern the colour is kept for the next one; an
    // index out of range changes nothing.
    void SetTeamColour(int index, TeamColour colour);

    // Newest first, at most ui::kRecentFileCount.
    const std::vector<std::string>& RecentFilePaths() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace pelliton
