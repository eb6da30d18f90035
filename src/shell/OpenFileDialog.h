// The seam between the open command and the dialog that asks for a file, so tests can answer it.
#pragma once

#include <optional>

#include <QString>

class QWidget;

namespace pelliton {

class OpenFileDialog {
public:
    virtual ~OpenFileDialog() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> ChooseFile(QWidget* parent) = 0;
};

}  // namespace pelliton
