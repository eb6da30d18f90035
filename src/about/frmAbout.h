// The About window: title, version line, description, author credit and "&System Info...".
#pragma once

#include <functional>

#include <QDialog>
#include <QString>

#include "about/PlatformSystemInformation.h"
#include "ui/PlainMessage.h"

class QLabel;
class QPushButton;

namespace pelliton {

class frmAbout : public QDialog {
    Q_OBJECT

public:
    using ShowMessage = std::function<void(QWidget* parent, const QString& message)>;

    // Closing the window discards it, so it lives on the heap and owns itself.
    explicit frmAbout(SystemInformationPlatform platform = PlatformSystemInformation(),
                      ShowMessage showMessage = ShowPlainMessage);

    // Help > About: shows the one About window, creating it when there is none; it has no owner and
    // starts centred on placeOver.
    static frmAbout* ShowSingleWindow(const QWidget& placeOver);

    // Starts the system information program, or says that it is unavailable.
    void StartSysInfo();

private slots:
    void cmdOK_Click();
    void cmdSysInfo_Click();

private:
    void CreateControls();
    void Form_Load();

    SystemInformationPlatform platform_;
    ShowMessage showMessage_;

    QLabel* lblVersion_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdSysInfo_ = nullptr;
};

}  // namespace pelliton
