// The log pane: a read-only text box that keeps its text exactly as set, line ends included.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace pelliton {

// QPlainTextEdit drops the "\r" of "\r\n"; the log keeps Windows line ends, so the exact text
// lives here and the widget only displays it.
class LogTextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LogTextBox(QWidget* parent = nullptr);

    const QString& Text() const { return text_; }
    void SetText(const QString& text);
    // Adds the line and "\r\n", and scrolls so that the end of the log is in view.
    void AppendLine(const QString& line);

private:
    void ScrollToEnd();

    QString text_;
};

}  // namespace pelliton
