// The dialogs and prompts of the main window as Qt shows them to a user.
#include "shell/QtWindowDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include "ui/FileDialogTexts.h"
#include "shell/QtFileDialogSetup.h"
#include "ui/qt/PlainMessage.h"

namespace pelliton {

namespace {

// The first chosen file; an accepted dialog without one gives an empty name, which callers ignore.
std::optional<QString> Run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace

std::optional<QString> QtWindowDialogs::ChooseRshFile(QWidget* parent) {
    QFileDialog dialog(parent);
    SetUpOpenDialog(dialog);
    return Run(dialog);
}

std::optional<QString> QtWindowDialogs::ChoosePicture(QWidget* parent) {
    QFileDialog dialog(parent);
    SetUpPictureDialog(dialog);
    return Run(dialog);
}

std::optional<QString> QtWindowDialogs::ChooseSaveAsPath(QWidget* parent, const QString& openFile) {
    QFileDialog dialog(parent);
    SetUpSaveAsDialog(dialog);
    dialog.selectFile(openFile);
    return Run(dialog);
}

std::optional<QString> QtWindowDialogs::ChooseExportFolder(QWidget* parent, const QString& startFolder) {
    const QString folder = QFileDialog::getExistingDirectory(parent, FromUtf8(ui::kExportFolderDialogTitle), startFolder);
    if (folder.isEmpty()) return std::nullopt;
    return folder;
}

UnsavedAnswer QtWindowDialogs::AskAboutUnsavedChanges(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Save:
            return UnsavedAnswer::Save;
        case QMessageBox::Discard:
            return UnsavedAnswer::Discard;
        default:
            return UnsavedAnswer::Cancel;
    }
}

void QtWindowDialogs::ShowFailure(QWidget* parent, const QString& failure) { ShowPlainMessage(parent, failure); }

std::optional<TeamColour> QtWindowDialogs::ChooseColour(QWidget* parent, const QString& title, TeamColour start) {
    const QColor chosen = QColorDialog::getColor(QColor(start.red, start.green, start.blue), parent, title);
    if (!chosen.isValid()) return std::nullopt;
    return TeamColour{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                      static_cast<std::uint8_t>(chosen.blue())};
}

}  // namespace pelliton
