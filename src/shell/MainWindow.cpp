// The main window: log, texture list, team colour buttons, preview pane, "Refresh", status bar, and
// the File, Texture, View and Help menus; every command goes to the window's session.
#include "shell/MainWindow.h"

#include <cstdlib>

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

#include "about/AboutWindow.h"
#include "shell/LogTextBox.h"
#include "shell/PreviewPane.h"
#include "shell/TextureList.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/PlainMessage.h"
#include "ui/qt/QtGeometry.h"

namespace pelliton {

namespace {

using ui::MainCommand;

// The names tests and tools find the menu items by.
QString ActionName(MainCommand command) {
    switch (command) {
        case MainCommand::Open:
            return QStringLiteral("openAction");
        case MainCommand::Save:
            return QStringLiteral("saveAction");
        case MainCommand::SaveAs:
            return QStringLiteral("saveAsAction");
        case MainCommand::ExportAll:
            return QStringLiteral("exportAllAction");
        case MainCommand::ExportAllAsPng:
            return QStringLiteral("exportAllAsPngAction");
        case MainCommand::Quit:
            return QStringLiteral("quitAction");
        case MainCommand::Replace:
            return QStringLiteral("replaceAction");
        case MainCommand::ViewPerspective:
            return QStringLiteral("perspectiveAction");
        case MainCommand::ViewFit:
            return QStringLiteral("fitAction");
        case MainCommand::ViewActualSize:
            return QStringLiteral("actualSizeAction");
        case MainCommand::ShowAlpha:
            return QStringLiteral("showAlphaAction");
        case MainCommand::LargerMipLevel:
            return QStringLiteral("largerMipAction");
        case MainCommand::SmallerMipLevel:
            return QStringLiteral("smallerMipAction");
        case MainCommand::About:
            return QStringLiteral("aboutAction");
        case MainCommand::Refresh:
            break;  // a button, not a menu item
    }
    return {};
}

// The first local file among the dragged items, or nothing.
std::optional<QString> FirstLocalFile(const QMimeData* dragged) {
    if (dragged == nullptr || !dragged->hasUrls()) return std::nullopt;
    for (const QUrl& url : dragged->urls()) {
        if (url.isLocalFile()) return url.toLocalFile();
    }
    return std::nullopt;
}

QColor ColourOf(TeamColour colour) { return {colour.red, colour.green, colour.blue}; }

// The colour filling the button but for room for its frame, edged so that a colour like the
// button's own still shows as a swatch.
QIcon Swatch(TeamColour colour, QSize buttonSize) {
    constexpr QSize kFrameRoom{12, 10};
    QPixmap pixmap((buttonSize - kFrameRoom).expandedTo({2, 2}));
    pixmap.fill(ColourOf(colour));
    QPainter edge(&pixmap);
    edge.setPen(QColor(Qt::black));
    edge.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

}  // namespace

ProgramEnd EndWithMessageBox() {
    return {[](const QString& message) { ShowPlainMessage(nullptr, message); },
            [] { std::_Exit(EXIT_FAILURE); }};  // at once: no window gets to close
}

MainWindow::MainWindow(std::unique_ptr<WindowDialogs> dialogs, std::unique_ptr<RecentFilesStore> recentFiles,
                       RuntimeFactory makeRuntime, ProgramEnd programEnd, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(std::move(dialogs)),
      recentFilesStore_(std::move(recentFiles)),
      programEnd_(std::move(programEnd)) {
    setWindowIcon(AppIcon());
    setAcceptDrops(true);
    BuildControls();
    session_ = std::make_unique<WindowSession>(*this, *previewPane_, *recentFilesStore_, std::move(makeRuntime));
    BuildMenus();

    // The designed client area below the menu bar, centred; the window may grow but not shrink below it.
    const ui::PixelRect designed = ToPixels(ui::TwipsRect{0, 0, ui::kMainWindow.clientArea.width,
                                                           ui::kMainWindow.clientArea.height});
    client_->setMinimumSize(designed.width, designed.height);
    resize(designed.width, designed.height + menuBar()->sizeHint().height());
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen()->availableGeometry()));
    PlaceControls();
    UpdateCommands();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildControls() {
    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->installEventFilter(this);  // every resize places the controls again

    logPane_ = new LogTextBox(client_);
    logPane_->setObjectName(QStringLiteral("logPane"));
    logPane_->setAcceptDrops(false);  // a file dropped on the log opens, as anywhere in the window

    textureList_ = new TextureList(client_);
    textureList_->setObjectName(QStringLiteral("textureList"));
    connect(textureList_, &TextureList::rowChosen, this, [this](std::size_t row) {
        session_->SelectTexture(row);
        UpdateCommands();
    });

    for (int index = 0; index < ui::kTeamColourButtons; ++index) {
        auto* button = new QPushButton(client_);
        button->setObjectName(QStringLiteral("teamColourButton%1").arg(index + 1));
        button->setToolTip(FromUtf8(ui::kTeamColourButtonTexts[index].toolTip));
        connect(button, &QPushButton::clicked, this, [this, index] { OnTeamColour(index); });
        teamColourButtons_[static_cast<std::size_t>(index)] = button;
    }

    refreshButton_ = new QPushButton(FromUtf8(ui::kMainWindow.refreshButton.text), client_);
    refreshButton_->setObjectName(QStringLiteral("refreshButton"));
    connect(refreshButton_, &QPushButton::clicked, this, [this] { OnCommand(MainCommand::Refresh); });

    previewPane_ = new PreviewPane(client_);
    previewPane_->setObjectName(QStringLiteral("previewPane"));
    connect(previewPane_, &PreviewPane::panRequested, this, [this](int dx, int dy) { session_->Pan(dx, dy); });

    statusBar_ = new QStatusBar(client_);
    statusBar_->setObjectName(QStringLiteral("statusBar"));
    statusBar_->setSizeGripEnabled(false);

    QWidget* before = logPane_;
    for (QWidget* next : std::initializer_list<QWidget*>{textureList_, teamColourButtons_[0], teamColourButtons_[1],
                                                         teamColourButtons_[2], teamColourButtons_[3],
                                                         teamColourButtons_[4], previewPane_, refreshButton_}) {
        setTabOrder(before, next);
        before = next;
    }
}

void MainWindow::BuildMenus() {
    for (const ui::Menu& menu : ui::kMainMenus) {
        QMenu* shown = menuBar()->addMenu(FromUtf8(menu.caption));
        QActionGroup* choices = nullptr;
        for (const ui::MenuItem& item : menu.items) {
            if (item.command == ui::kRecentFilesBefore) AddRecentFileItems(*shown);
            if (item.separatorBefore) shown->addSeparator();
            QAction* action = shown->addAction(FromUtf8(item.caption), this, [this, item] { OnCommand(item.command); });
            action->setObjectName(ActionName(item.command));
            action->setShortcut(QKeySequence(FromUtf8(ui::ShortcutText(item.shortcut)), QKeySequence::PortableText));
            action->setCheckable(item.check != ui::Check::None);
            if (item.check == ui::Check::Choice) {
                if (choices == nullptr) choices = new QActionGroup(shown);
                choices->addAction(action);
            }
            actions_[item.command] = action;
        }
    }
}

// A separator and one item per recent file, hidden until there are files to list.
void MainWindow::AddRecentFileItems(QMenu& fileMenu) {
    recentFilesSeparator_ = fileMenu.addSeparator();
    for (int index = 0; index < ui::kRecentFileCount; ++index) {
        QAction* action = fileMenu.addAction(QString(), this, [this, index] { OnRecentFile(index); });
        action->setObjectName(QStringLiteral("recentFileAction%1").arg(index + 1));
        recentFileActions_.push_back(action);
    }
}

void MainWindow::PlaceControls() {
    const ui::MainWindowPlaces places = ui::PlaceMainWindow(client_->width(), client_->height());
    logPane_->setGeometry(ToQRect(places.logPane));
    textureList_->setGeometry(ToQRect(places.textureList));
    for (int index = 0; index < ui::kTeamColourButtons; ++index) {
        teamColourButtons_[static_cast<std::size_t>(index)]->setGeometry(
            ToQRect(ui::TeamColourButtonPlace(places.teamColourButtons, index)));
    }
    UpdateTeamColourButtons();  // the swatches fit the buttons' new size
    refreshButton_->setGeometry(ToQRect(places.refreshButton));
    previewPane_->setGeometry(ToQRect(places.previewPane));
    statusBar_->setGeometry(ToQRect(places.statusBar));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize) {
        PlaceControls();
        if (session_) session_->PaneResized();
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::OnCommand(MainCommand command) {
    switch (command) {
        case MainCommand::Open:
            OnFileOpen();
            break;
        case MainCommand::Save:
            OnFileSave();
            break;
        case MainCommand::SaveAs:
            OnFileSaveAs();
            break;
        case MainCommand::ExportAll:
            OnExportAll(false);
            break;
        case MainCommand::ExportAllAsPng:
            OnExportAll(true);
            break;
        case MainCommand::Quit:
            close();  // the close event asks about unsaved changes
            break;
        case MainCommand::Replace:
            OnReplace();
            break;
        case MainCommand::ViewPerspective:
            session_->SetScale(PreviewScale::Perspective);
            break;
        case MainCommand::ViewFit:
            session_->SetScale(PreviewScale::Fit);
            break;
        case MainCommand::ViewActualSize:
            session_->SetScale(PreviewScale::ActualSize);
            break;
        case MainCommand::ShowAlpha:
            session_->SetShowAlpha(!session_->ShowsAlpha());
            break;
        case MainCommand::LargerMipLevel:
            session_->SetMipLevel(session_->MipLevel() - 1);  // level 0 is the largest
            break;
        case MainCommand::SmallerMipLevel:
            session_->SetMipLevel(session_->MipLevel() + 1);
            break;
        case MainCommand::About:
            OnHelpAbout();
            break;
        case MainCommand::Refresh:
            session_->Refresh();
            break;
    }
    UpdateCommands();
}

void MainWindow::OnFileOpen() {
    if (!ConfirmLeaving()) return;
    const std::optional<QString> chosen = dialogs_->ChooseRshFile(this);
    if (!chosen || chosen->isEmpty()) return;
    OpenChosen(*chosen);
}

void MainWindow::OpenFile(const QString& path) {
    if (ConfirmLeaving()) OpenChosen(path);
    UpdateCommands();
}

void MainWindow::OpenChosen(const QString& path) {
    if (session_->Open(path.toStdString()) == OpenOutcome::DeviceUnavailable) {
        programEnd_.showMessage(FromUtf8(DeviceUnavailableMessage()));
        programEnd_.endProgram();
        return;
    }
    ShowTextureRows();
}

void MainWindow::OnFileSave() { ShowFailure(session_->Save()); }

void MainWindow::OnFileSaveAs() {
    const std::optional<QString> chosen = dialogs_->ChooseSaveAsPath(this, FromUtf8(session_->FilePath()));
    if (!chosen || chosen->isEmpty()) return;
    ShowFailure(session_->SaveAs(chosen->toStdString()));
    ShowTextureRows();
}

void MainWindow::OnExportAll(bool asPng) {
    const QString startFolder = QFileInfo(FromUtf8(session_->FilePath())).absolutePath();
    const std::optional<QString> folder = dialogs_->ChooseExportFolder(this, startFolder);
    if (!folder || folder->isEmpty()) return;
    ShowFailure(session_->ExportAll(QFileInfo(*folder).absoluteFilePath().toStdString(), asPng));
}

void MainWindow::OnReplace() {
    const std::optional<QString> picture = dialogs_->ChoosePicture(this);
    if (!picture || picture->isEmpty()) return;
    ShowFailure(session_->ReplaceSelected(QFileInfo(*picture).absoluteFilePath().toStdString()));
    ShowTextureRows();  // a new picture may bring another size, format or MIP count
}

// Modeless and without an owner: the main window stays usable, and either window may close first.
void MainWindow::OnHelpAbout() { AboutWindow::ShowSingleWindow(*this); }

void MainWindow::OnRecentFile(int index) {
    const std::vector<std::string>& paths = session_->RecentFilePaths();
    if (index >= static_cast<int>(paths.size())) return;
    OpenFile(FromUtf8(paths[static_cast<std::size_t>(index)]));  // a copy: opening reorders the list
}

bool MainWindow::ConfirmLeaving() {
    const bool goOn = session_->ConfirmLeaving(
        [this](const std::string& question) { return dialogs_->AskAboutUnsavedChanges(this, FromUtf8(question)); },
        [this](const std::string& failure) { dialogs_->ShowFailure(this, FromUtf8(failure)); });
    UpdateCommands();  // a Save clears the mark of unsaved changes
    return goOn;
}

void MainWindow::ShowFailure(const std::optional<std::string>& failure) {
    if (failure) dialogs_->ShowFailure(this, FromUtf8(*failure));
}

void MainWindow::OnTeamColour(int index) {
    const QString title = FromUtf8(ui::kTeamColourButtonTexts[index].dialogTitle);
    const TeamColour start = session_->TeamColourChoices()[static_cast<std::size_t>(index)];
    const std::optional<TeamColour> chosen = dialogs_->ChooseColour(this, title, start);
    if (!chosen) return;
    session_->SetTeamColour(index, *chosen);
    ShowTextureRows();  // the painted row is selected again
    UpdateCommands();
}

void MainWindow::ShowTextureRows() { textureList_->ShowRows(session_->Textures(), session_->SelectedTexture()); }

void MainWindow::UpdateCommands() {
    setWindowTitle(FromUtf8(session_->WindowTitle()));
    for (const auto& [command, action] : actions_) {
        action->setEnabled(session_->IsEnabled(command));
        if (action->isCheckable()) action->setChecked(session_->IsChecked(command));
    }
    refreshButton_->setEnabled(session_->IsEnabled(MainCommand::Refresh));
    UpdateTeamColourButtons();
    UpdateRecentFiles();
}

void MainWindow::UpdateTeamColourButtons() {
    if (!session_) return;  // controls are placed before the session exists
    for (std::size_t index = 0; index < teamColourButtons_.size(); ++index) {
        QPushButton* button = teamColourButtons_[index];
        button->setEnabled(session_->ShowsTeamPattern());
        button->setIcon(Swatch(session_->TeamColourChoices()[index], button->size()));
        button->setIconSize(button->icon().availableSizes().value(0));
    }
}

void MainWindow::UpdateRecentFiles() {
    const std::vector<std::string>& paths = session_->RecentFilePaths();
    recentFilesSeparator_->setVisible(!paths.empty());
    for (std::size_t index = 0; index < recentFileActions_.size(); ++index) {
        QAction* action = recentFileActions_[index];
        action->setVisible(index < paths.size());
        if (index < paths.size()) {
            action->setText(FromUtf8(ui::RecentFileCaption(static_cast<int>(index), paths[index])));
        }
    }
}

void MainWindow::AddDebugLine(std::string_view text) { logPane_->AppendLine(FromUtf8(text)); }

void MainWindow::ClearLog() { logPane_->SetText(QString()); }

void MainWindow::SetStatusText(std::string_view text) { statusBar_->showMessage(FromUtf8(text)); }

// Closing the window, however asked, first sees to unsaved changes; Cancel keeps it open.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (ConfirmLeaving()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (FirstLocalFile(event->mimeData())) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = FirstLocalFile(event->mimeData());
    if (!file) return;
    event->acceptProposedAction();
    OpenFile(*file);
}

}  // namespace pelliton
