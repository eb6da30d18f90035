// The open dialog of the main window: Qt's own file dialog with Windows-like filters.
#include "shell/QtOpenFileDialog.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QStringList>

namespace pelliton {

namespace {

// Qt reads "*.*" as "names with a dot", and whether its patterns ignore case has changed between
// versions; Windows lists every file under "*.*" and ignores case. So each filter names the patterns
// we hand the model ourselves.
struct NameFilter {
    const char* label;
    const char* modelPattern;  // empty: every file
};

constexpr NameFilter kNameFilters[] = {
    {"All Files (*.*)", ""},
    {"RSH Files (*.rsh)", "*.[rR][sS][hH]"},
};
constexpr int kPreselectedFilter = 1;

// The dialog sets its model's patterns from the label first; this runs after it and overrides them.
void ApplyModelPatterns(QFileDialog& dialog, const QString& label) {
    auto* model = dialog.findChild<QFileSystemModel*>();
    if (model == nullptr) return;
    for (const NameFilter& filter : kNameFilters) {
        if (label != QLatin1String(filter.label)) continue;
        const QString pattern = QString::fromLatin1(filter.modelPattern);
        model->setNameFilters(pattern.isEmpty() ? QStringList() : QStringList{pattern});
    }
}

}  // namespace

void SetUpOpenDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // the filter fix-up needs the widget-based dialog
    dialog.setWindowTitle(QStringLiteral("Open RSH File"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);

    QStringList labels;
    for (const NameFilter& filter : kNameFilters) labels << QString::fromLatin1(filter.label);
    dialog.setNameFilters(labels);
    dialog.selectNameFilter(labels[kPreselectedFilter]);

    ApplyModelPatterns(dialog, labels[kPreselectedFilter]);
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
