// The open dialog of the main window: Qt's own file dialog with Windows-like filters.
#include "shell/QtOpenFileDialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QStringList>

#include "ui/OpenDialogTexts.h"
#include "ui/qt/PlainMessage.h"

namespace pelliton {

namespace {

// Qt reads "*.*" as "names with a dot", and whether its patterns ignore case has changed between
// versions; Windows lists every file under "*.*" and ignores case. So the model gets patterns that
// say what Windows does.
QStringList ModelPatterns(std::string_view windowsPattern) {
    if (windowsPattern == "*.*") return {};
    QString pattern;
    for (const char c : windowsPattern) {
        const QChar character = QLatin1Char(c);
        if (!character.isLetter()) {
            pattern += character;
            continue;
        }
        pattern += QLatin1Char('[');
        pattern += character.toLower();
        pattern += character.toUpper();
        pattern += QLatin1Char(']');
    }
    return {pattern};
}

// The dialog sets its model's patterns from the label first; this runs after it and overrides them.
void ApplyModelPatterns(QFileDialog& dialog, const QString& label) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr) return;
    for (const ui::FileFilter& filter : ui::kOpenFilters) {
        if (label == FromUtf8(filter.label)) model->setNameFilters(ModelPatterns(filter.pattern));
    }
}

}  // namespace

void SetUpOpenDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // the filter fix-up needs the widget-based dialog
    dialog.setWindowTitle(FromUtf8(ui::kOpenDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);

    QStringList labels;
    for (const ui::FileFilter& filter : ui::kOpenFilters) labels << FromUtf8(filter.label);
    const QString preselected = labels[static_cast<qsizetype>(ui::kPreselectedOpenFilter)];
    dialog.setNameFilters(labels);
    dialog.selectNameFilter(preselected);

    ApplyModelPatterns(dialog, preselected);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& label) { ApplyModelPatterns(dialog, label); });
}

std::optional<QString> QtOpenFileDialog::ChooseFile(QWidget* parent) {
    QFileDialog dialog(parent);
    SetUpOpenDialog(dialog);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace pelliton
