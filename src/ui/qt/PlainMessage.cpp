// Texts and message boxes as both windows show them.
#include "ui/qt/PlainMessage.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace pelliton {

void ShowPlainMessage(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), message, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace pelliton
