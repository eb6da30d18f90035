// The log pane keeps Windows line ends in its text while showing plain lines, and follows its end.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTextBlock>
#include <QTest>

#include "shell/LogTextBox.h"

namespace pelliton {
namespace {

TEST(LogTextBox, KeepsCarriageReturnsWhileShowingPlainLines) {
    LogTextBox box;
    box.AppendLine(QStringLiteral("one"));
    box.AppendLine(QStringLiteral("two"));
    EXPECT_EQ(box.Text(), QStringLiteral("one\r\ntwo\r\n"));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("one\ntwo\n"));

    box.SetText(QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(box.Text(), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(box.toPlainText(), QStringLiteral("a\nb\n"));

    box.SetText(QString());
    EXPECT_EQ(box.Text(), QString());
    EXPECT_EQ(box.toPlainText(), QString());
}

TEST(LogTextBox, TypingDoesNotChangeTheLog) {
    LogTextBox box;
    box.AppendLine(QStringLiteral("line"));
    QTest::keyClicks(&box, QStringLiteral("x"));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.toPlainText(), QStringLiteral("line\n"));
}

TEST(LogTextBox, LongLogScrollsToItsLastLine) {
    LogTextBox box;
    box.resize(193, 521);
    box.show();
    for (int line = 0; line < 200; ++line) box.AppendLine(QString::number(line));
    ASSERT_GT(box.verticalScrollBar()->maximum(), 0) << "the log must be longer than the pane";

    QTextCursor lastLine(box.document());
    lastLine.movePosition(QTextCursor::End);
    lastLine.movePosition(QTextCursor::PreviousBlock);  // the block after the last line end is empty
    ASSERT_EQ(lastLine.block().text(), QStringLiteral("199"));
    EXPECT_TRUE(box.viewport()->rect().contains(box.cursorRect(lastLine)));
}

}  // namespace
}  // namespace pelliton
