// The open dialog of the main window: Qt's own file dialog with Windows-like filters.
#pragma once

#include "shell/OpenFileDialog.h"

class QFileDialog;

namespace pelliton {

class QtOpenFileDialog : public OpenFileDialog {
public:
    std::optional<QString> ChooseFile(QWidget* parent) override;
};

// Title, mode and filters of the open dialog, and the listing each filter gives. Apart from exec()
// so that it can be checked without showing a dialog.
void SetUpOpenDialog(QFileDialog& dialog);

}  // namespace pelliton
