// The About window: title, version line, description, author credit and "&System Info...".
#pragma once

#include <functional>

#include <QDialog>
#include <QString>

#include "about/PlatformSystemInformation.h"
#include "ui/qt/PlainMessage.h"

namespace pelliton {

class AboutWindow : public QDialog {
    Q_OBJECT

public:
    using ShowMessage = std::function<void(QWidget* parent, const QString& message)>;

    // Closing the window discards it, so it lives on the heap and owns itself.
    explicit AboutWindow(SystemInformationPlatform platform = PlatformSystemInformation(),
                         ShowMessage showMessage = ShowPlainMessage);

    // Help > About: shows the one About window, creating it when there is none; it has no owner and
    // starts centred on placeOver.
    static AboutWindow* ShowSingleWindow(const QWidget& placeOver);

private slots:
    // Starts the system information program, or says that it is unavailable.
    void OnSystemInfo();

private:
    void BuildControls();

    SystemInformationPlatform platform_;
    ShowMessage showMessage_;
};

}  // namespace pelliton
