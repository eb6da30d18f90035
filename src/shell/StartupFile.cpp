// The file named on the command line, which the window opens once it is shown.
#include "shell/StartupFile.h"

#include "ui/WindowCommandLine.h"

namespace pelliton {

std::optional<QString> FileToOpenAtStart(const QStringList& arguments) {
    std::vector<std::string> utf8;
    for (qsizetype index = 1; index < arguments.size(); ++index) utf8.push_back(arguments[index].toStdString());
    const std::optional<std::string> file = ui::ParseWindowCommandLine(utf8).file;
    if (!file) return std::nullopt;
    return QString::fromStdString(*file);
}

}  // namespace pelliton
