// Texts and message boxes as both windows show them.
#pragma once

#include <string_view>

#include <QString>

class QWidget;

namespace pelliton {

// The libraries' texts are UTF-8.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A message box with an OK button only, no icon and the application's name as its caption; returns
// when it is closed.
void ShowPlainMessage(QWidget* parent, const QString& message);

}  // namespace pelliton
