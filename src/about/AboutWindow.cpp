// The About window: title, version line, description, author credit and "&System Info...".
#include "about/AboutWindow.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "about/SystemInformation.h"
#include "ui/AboutWindowLayout.h"
#include "ui/VersionedTexts.h"
#include "ui/qt/AppIcon.h"
#include "ui/qt/QtGeometry.h"

namespace pelliton {

namespace {

constexpr const ui::AboutWindowLayout& kLayout = ui::kAboutWindow;

QFont ToQFont(const ui::Font& font) {
    QFont shown(FromUtf8(font.family));
    shown.setStyleHint(QFont::SansSerif);
    shown.setPointSizeF(static_cast<double>(font.heightTwips) / ui::kTwipsPerPoint);
    shown.setBold(font.bold);
    return shown;
}

void AddLine(QWidget* parent, const char* name, const ui::HorizontalLine& line) {
    auto* shown = new QFrame(parent);
    shown->setObjectName(QLatin1String(name));
    shown->setGeometry(ToQRect(ui::ToPixels(line)));
    shown->setAutoFillBackground(true);
    QPalette palette = shown->palette();
    palette.setColor(QPalette::Window, ToQColor(line.colour));
    shown->setPalette(palette);
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const ui::TwipsRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(ToQRect(place));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(kLayout.labelText));
    label->setPalette(palette);
    return label;
}

QPushButton* AddButton(QWidget* parent, const char* name, const ui::Control& control) {
    auto* button = new QPushButton(FromUtf8(control.text), parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(ToQRect(control.place));
    return button;
}

}  // namespace

AboutWindow::AboutWindow(SystemInformationPlatform platform, ShowMessage showMessage)
    : platform_(std::move(platform)), showMessage_(std::move(showMessage)) {
    // A fixed dialog frame: close box only, and the size never changes.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(FromUtf8(kLayout.title));
    setWindowIcon(AppIcon());
    setFixedSize(TwipsToPixels(kLayout.clientArea.width), TwipsToPixels(kLayout.clientArea.height));
    BuildControls();
}

void AboutWindow::BuildControls() {
    auto* productName = new QLineEdit(FromUtf8(kLayout.productName.text), this);
    productName->setObjectName(QStringLiteral("productName"));
    productName->setGeometry(ToQRect(kLayout.productName.place));
    productName->setReadOnly(true);
    productName->setFrame(false);
    productName->setFocusPolicy(Qt::NoFocus);  // a caption, not an input
    productName->setFont(ToQFont(kLayout.productNameFont));
    QPalette productNamePalette = productName->palette();
    productNamePalette.setColor(QPalette::Base, productNamePalette.color(QPalette::Button));
    productName->setPalette(productNamePalette);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setGeometry(ToQRect(kLayout.icon));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setPixmap(AppIcon().pixmap(kLayout.iconPixels, kLayout.iconPixels));
    icon->setAutoFillBackground(true);
    QPalette iconPalette = icon->palette();
    iconPalette.setColor(QPalette::Window, ToQColor(kLayout.iconBackground));
    icon->setPalette(iconPalette);

    QPushButton* okButton = AddButton(this, "okButton", kLayout.okButton);
    okButton->setDefault(true);  // Enter; Esc closes the dialog as "OK" does
    connect(okButton, &QPushButton::clicked, this, &AboutWindow::close);

    QPushButton* systemInfoButton = AddButton(this, "systemInfoButton", kLayout.systemInfoButton);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutWindow::OnSystemInfo);

    AddLabel(this, "disclaimer", FromUtf8(kLayout.disclaimer.text), kLayout.disclaimer.place);
    AddLabel(this, "description", FromUtf8(kLayout.description.text), kLayout.description.place);
    AddLine(this, "separatorShadow", kLayout.separatorShadow);
    AddLine(this, "separatorHighlight", kLayout.separatorHighlight);
    AddLabel(this, "versionLine", FromUtf8(ui::AboutVersionLine()), kLayout.versionLine);

    setTabOrder(okButton, systemInfoButton);
    okButton->setFocus();
}

AboutWindow* AboutWindow::ShowSingleWindow(const QWidget& placeOver) {
    static QPointer<AboutWindow> single;
    // A closed window is on its way out and no longer counts.
    if (!single || !single->isVisible()) {
        single = new AboutWindow();
        single->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, single->size(),
                                                placeOver.frameGeometry()));
    }
    single->show();
    single->raise();
    single->activateWindow();
    return single;
}

void AboutWindow::OnSystemInfo() {
    if (!StartSystemInformation(*platform_.registry, *platform_.starter)) {
        showMessage_(this, FromUtf8(kSysInfoUnavailableMessage));
    }
}

}  // namespace pelliton
