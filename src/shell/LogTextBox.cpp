// The log pane: a read-only text box that keeps its text exactly as set, line ends included.
#include "shell/LogTextBox.h"

namespace pelliton {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

QString DisplayForm(QString text) { return text.replace(kLineEnd, QStringLiteral("\n")); }

}  // namespace

LogTextBox::LogTextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

void LogTextBox::SetText(const QString& text) {
    text_ = text;
    setPlainText(DisplayForm(text));
    ScrollToEnd();
}

// Inserting at the end keeps a long log cheap; the display ends with the empty line after the last "\r\n".
void LogTextBox::AppendLine(const QString& line) {
    text_ += line + kLineEnd;
    moveCursor(QTextCursor::End);
    insertPlainText(DisplayForm(line) + QLatin1Char('\n'));
    ScrollToEnd();
}

void LogTextBox::ScrollToEnd() {
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
}

}  // namespace pelliton
