// The file named on the command line, which the window opens once it is shown.
#include "shell/StartupFile.h"

namespace pelliton {

std::optional<QString> FileToOpenAtStart(const QStringList& arguments) {
    bool optionsEnded = false;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (!optionsEnded && argument == QStringLiteral("--")) {
            optionsEnded = true;
        } else if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            if (!argument.isEmpty()) return argument;
        }
    }
    return std::nullopt;
}

}  // namespace pelliton
