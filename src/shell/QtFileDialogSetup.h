// The file dialogs of the main window: Qt's own widget-based dialog with filters that list files as
// Windows does.
#pragma once

#include <span>
#include <string_view>

#include "ui/FileDialogTexts.h"

class QFileDialog;

namespace pelliton {

// Title, mode and filters of File > Open, and the listing each filter gives. Apart from exec() so
// that it can be checked without showing a dialog.
void SetUpOpenDialog(QFileDialog& dialog);
// Texture > Replace: a picture to read.
void SetUpPictureDialog(QFileDialog& dialog);
// File > Save As: a file to write, starting at the open file.
void SetUpSaveAsDialog(QFileDialog& dialog);

}  // namespace pelliton
