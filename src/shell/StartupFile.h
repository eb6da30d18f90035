// The file named on the command line, which the window opens once it is shown.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace pelliton {

// The first argument after the program's name that is not an option ("-x", "--x"); after "--"
// every argument is a file. QApplication has already taken Qt's own options out.
std::optional<QString> FileToOpenAtStart(const QStringList& arguments);

}  // namespace pelliton
