// The file dialogs of the main window: Qt's own widget-based dialog with filters that list files as
// Windows does.
#include "shell/QtFileDialogSetup.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QStringList>

#include "ui/FileDialogTexts.h"
#include "ui/qt/PlainMessage.h"

namespace pelliton {

namespace {

// Qt reads "*.*" as "names with a dot", and whether its patterns ignore case has changed between
// versions; Windows lists every file under "*.*", ignores case and separates patterns with ";". So
// the model gets patterns that say what Windows does.
QStringList ModelPatterns(std::string_view windowsPatterns) {
    QStringList patterns;
    for (const QString& windowsPattern : FromUtf8(windowsPatterns).split(QLatin1Char(';'))) {
        if (windowsPattern == QStringLiteral("*.*")) return {};
        QString pattern;
        for (const QChar character : windowsPattern) {
            if (!character.isLetter()) {
                pattern += character;
                continue;
            }
            pattern += QLatin1Char('[');
            pattern += character.toLower();
            pattern += character.toUpper();
            pattern += QLatin1Char(']');
        }
        patterns << pattern;
    }
    return patterns;
}

// The dialog sets its model's patterns from the label first; this runs after it and overrides them.
void ApplyModelPatterns(QFileDialog& dialog, std::span<const ui::FileFilter> filters, const QString& label) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr) return;
    for (const ui::FileFilter& filter : filters) {
        if (label == FromUtf8(filter.label)) model->setNameFilters(ModelPatterns(filter.pattern));
    }
}

void SetUpFileDialog(QFileDialog& dialog, std::string_view title, std::span<const ui::FileFilter> filters,
                     std::size_t preselected) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // the filter fix-up needs the widget-based dialog
    dialog.setWindowTitle(FromUtf8(title));

    QStringList labels;
    for (const ui::FileFilter& filter : filters) labels << FromUtf8(filter.label);
    const QString preselectedLabel = labels[static_cast<qsizetype>(preselected)];
    dialog.setNameFilters(labels);
    dialog.selectNameFilter(preselectedLabel);

    ApplyModelPatterns(dialog, filters, preselectedLabel);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString& label) { ApplyModelPatterns(dialog, filters, label); });
}

}  // namespace

void SetUpOpenDialog(QFileDialog& dialog) {
    SetUpFileDialog(dialog, ui::kOpenDialogTitle, ui::kOpenFilters, ui::kPreselectedOpenFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
}

void SetUpPictureDialog(QFileDialog& dialog) {
    SetUpFileDialog(dialog, ui::kPictureDialogTitle, ui::kPictureFilters, 0);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
}

void SetUpSaveAsDialog(QFileDialog& dialog) {
    SetUpFileDialog(dialog, ui::kSaveAsDialogTitle, ui::kSaveAsFilters, 0);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
}

}  // namespace pelliton
