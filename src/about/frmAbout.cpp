// The About window: title, version line, description, author credit and "&System Info...".
#include "about/frmAbout.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

#include "about/SystemInformation.h"
#include "common/Version.h"
#include "ui/AppIcon.h"
#include "ui/Twips.h"

namespace pelliton {

namespace {

constexpr int kClientWidthTwips = 6345;
constexpr int kClientHeightTwips = 3630;
constexpr int kIconPixels = 32;

QFrame* AddLine(QWidget* parent, int index, const QRect& geometry, const QColor& colour) {
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("index", index);
    line->setGeometry(geometry);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    return line;
}

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    return label;
}

}  // namespace

frmAbout::frmAbout(SystemInformationPlatform platform, ShowMessage showMessage)
    : platform_(std::move(platform)), showMessage_(std::move(showMessage)) {
    // A fixed dialog frame: close box only, and the size never changes.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(AppIcon());
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    CreateControls();
    Form_Load();
}

void frmAbout::CreateControls() {
    auto* Text1 = new QLineEdit(QStringLiteral("Quibbo's Pelliton / Extractor"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(TwipsRect(1200, 240, 4695, 375));
    Text1->setReadOnly(true);
    Text1->setFrame(false);
    Text1->setFocusPolicy(Qt::NoFocus);  // a caption, not an input
    QFont titleFont(QStringLiteral("MS Sans Serif"));
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setPointSizeF(13.5);
    titleFont.setBold(true);
    Text1->setFont(titleFont);
    QPalette titlePalette = Text1->palette();
    titlePalette.setColor(QPalette::Base, titlePalette.color(QPalette::Button));
    Text1->setPalette(titlePalette);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(TwipsRect(240, 240, 540, 1020));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
    picIcon->setAutoFillBackground(true);
    QPalette iconPalette = picIcon->palette();
    iconPalette.setColor(QPalette::Window, QColor(192, 192, 192));
    picIcon->setPalette(iconPalette);

    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setGeometry(TwipsRect(4485, 2625, 1467, 345));
    cmdOK_->setDefault(true);  // Enter; Esc closes the dialog as "OK" does
    connect(cmdOK_, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    cmdSysInfo_ = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo_->setGeometry(TwipsRect(4500, 3075, 1452, 345));
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    AddLabel(this, "lblDisclaimer",
             QStringLiteral("Written by Quibbo for the modding community. Free to use and share; it comes without "
                            "warranty of any kind."),
             TwipsRect(255, 2625, 4110, 825));
    AddLabel(this, "lblDescription",
             QStringLiteral("Application to view / extract Warhammer 40000: Dawn of War RSH Texture Files."),
             TwipsRect(1200, 1125, 4695, 1170));

    // Grey above white: an etched separator between the text and the buttons.
    AddLine(this, 1, QRect(TwipsToPixels(225), TwipsToPixels(2430), TwipsToPixels(6000 - 225), 1),
            QColor(128, 128, 128));
    AddLine(this, 0, QRect(TwipsToPixels(240), TwipsToPixels(2445), TwipsToPixels(6000 - 240), 2), Qt::white);

    lblVersion_ = AddLabel(this, "lblVersion", QString(), TwipsRect(1200, 840, 4695, 225));

    setTabOrder(cmdOK_, cmdSysInfo_);
    cmdOK_->setFocus();
}

void frmAbout::Form_Load() {
    lblVersion_->setText(QStringLiteral("Version %1.%2.%3 (18-Oct-2004)")
                             .arg(kVersionMajor)
                             .arg(kVersionMinor)
                             .arg(kVersionRevision));
}

frmAbout* frmAbout::ShowSingleWindow(const QWidget& placeOver) {
    static QPointer<frmAbout> single;
    // A closed window is on its way out and no longer counts.
    if (!single || !single->isVisible()) {
        single = new frmAbout();
        single->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, single->size(),
                                                placeOver.frameGeometry()));
    }
    single->show();
    single->raise();
    single->activateWindow();
    return single;
}

void frmAbout::StartSysInfo() {
    if (!StartSystemInformation(*platform_.registry, *platform_.starter)) {
        showMessage_(this, FromUtf8(kSysInfoUnavailableMessage));
    }
}

void frmAbout::cmdOK_Click() { close(); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

}  // namespace pelliton
