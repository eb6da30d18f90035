// The file named on the command line, which the window opens once it is shown.
#pragma once

#include <optional>

#include <QString>
#include <QStringList>

namespace pelliton {

// The file the command line names (arguments[0] being the program), read as every front end reads
// it (ui::ParseWindowCommandLine). QApplication has already taken Qt's own options out.
std::optional<QString> FileToOpenAtStart(const QStringList& arguments);

}  // namespace pelliton
