#include "reading/frmMain.h"

#include "app/exitflow.h"
#include "platform/controls.h"
#include "platform/seams.h"
#include "reading/frmDisplay.h"
#include "reading/interpretations.h"
#include "reading/modPlanetSign.h"
#include "reading/signtable.h"
#include "referral/frmNagScreen2.h"
#include "weblinks/frmAbout.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2040;

// Selected positions, counted from 0, that the validation relies on.
constexpr int kFebruary = 1;
constexpr int kDay29 = 28;
constexpr int kDay30 = 29;
constexpr int kDay31 = 30;

bool isThirtyDayMonth(int position)
{
    return position == 3 || position == 5 || position == 8 || position == 10;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : Form(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Skyrand v1.25"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(designFont(8.25));

    const int textWidth = fontMetrics().averageCharWidth() * 62;

    buildMenu();

    Frame2 = makeControl<QGroupBox>(this, "Frame2");
    Label61 = makeControl<CaptionLabel>(Frame2, "Label61");
    Label61->setCaption(vendor::boardPromotion());
    Label61->setLink(true);
    Label61->setWordWrap(true);
    Label61->setAlignment(Qt::AlignCenter);
    Label61->setFont(designFont(8.25, true));
    Label61->setFixedWidth(textWidth);
    (new QVBoxLayout(Frame2))->addWidget(Label61);

    Frame1 = makeControl<QGroupBox>(this, "Frame1");
    Picture1 = makeControl<QFrame>(Frame1, "Picture1");
    cboMonth = makeControl<QComboBox>(Picture1, "cboMonth");
    txtName = makeControl<QLineEdit>(Picture1, "txtName");
    cboDate = makeControl<QComboBox>(Picture1, "cboDate");
    cboYear = makeControl<QComboBox>(Picture1, "cboYear");
    Label7 = makeControl<QLabel>(Picture1, "Label7", QStringLiteral("Month"));
    Label2 = makeControl<QLabel>(Picture1, "Label2", QStringLiteral("Date Of Birth"));
    Label1 = makeControl<QLabel>(Picture1, "Label1", QStringLiteral("Name"));
    Label5 = makeControl<QLabel>(Picture1, "Label5", QStringLiteral("Date"));
    Label6 = makeControl<QLabel>(Picture1, "Label6", QStringLiteral("Year"));
    cmdNext =
        makeControl<QPushButton>(Frame1, "cmdNext", QStringLiteral("Get My &Eris Astrology Sign"));
    Label3 = makeControl<QLabel>(
        Frame1, "Label3",
        QStringLiteral("Skyrand describes the placement of the asteroid Eris or Xena in your birth "
                       "chart. This helps you know more about your energy, material needs, "
                       "discords, problems, disputes and quarrels."));
    Label3->setWordWrap(true);
    Label3->setFixedWidth(textWidth);

    Frame5 = makeControl<QGroupBox>(this, "Frame5");
    cmdExit = makeControl<QPushButton>(Frame5, "cmdExit", QStringLiteral("&Exit"));
    lblCobrand = makeControl<CaptionLabel>(Frame5, "lblCobrand");
    lblFullBrand = makeControl<CaptionLabel>(Frame5, "lblFullBrand");
    lblCobrand->setCaption(vendor::coBrandOffer());
    lblFullBrand->setCaption(vendor::fullBrandOffer());
    for (CaptionLabel *offer : {lblCobrand, lblFullBrand}) {
        offer->setLink(true);
        offer->setWordWrap(true);
        offer->setAutoFillBackground(true); // opaque: the one in front hides the other
        offer->setFixedWidth(textWidth - cmdExit->sizeHint().width() - 8);
    }

    // Layout: three bands; in the middle the description, the input panel and the button.
    for (QLabel *heading : {Label1, Label2, Label5, Label6, Label7})
        heading->setFont(designFont(8.25, true));
    auto *panel = new QGridLayout(Picture1);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(Label1, 0, 0);
    panel->addWidget(txtName, 0, 1, 1, 3);
    panel->addWidget(Label5, 1, 1);
    panel->addWidget(Label7, 1, 2);
    panel->addWidget(Label6, 1, 3);
    panel->addWidget(Label2, 2, 0);
    panel->addWidget(cboDate, 2, 1);
    panel->addWidget(cboMonth, 2, 2);
    panel->addWidget(cboYear, 2, 3);
    panel->setColumnStretch(2, 1);

    auto *middle = new QVBoxLayout(Frame1);
    middle->addWidget(Label3);
    middle->addSpacing(4);
    middle->addWidget(Picture1);
    middle->addSpacing(4);
    middle->addWidget(cmdNext);

    auto *bottom = new QGridLayout(Frame5);
    // Both offers share one cell, so they cover exactly the same rectangle.
    bottom->addWidget(lblCobrand, 0, 0);
    bottom->addWidget(lblFullBrand, 0, 0);
    bottom->addWidget(cmdExit, 0, 1, Qt::AlignBottom);

    auto *window = new QVBoxLayout(this);
    window->setMenuBar(menuBar);
    window->setSizeConstraint(QLayout::SetFixedSize);
    window->addWidget(Frame2);
    window->addWidget(Frame1);
    window->addWidget(Frame5);

    // Keyboard: Enter outside a button and Escape anywhere click Exit; the lists are named by
    // their headings for screen readers.
    cmdExit->setDefault(true);
    setCancelButton(cmdExit);
    Label1->setBuddy(txtName);
    Label5->setBuddy(cboDate);
    Label7->setBuddy(cboMonth);
    Label6->setBuddy(cboYear);
    txtName->setAccessibleName(QStringLiteral("Name"));
    cboDate->setAccessibleName(QStringLiteral("Date"));
    cboMonth->setAccessibleName(QStringLiteral("Month"));
    cboYear->setAccessibleName(QStringLiteral("Year"));
    // Every typed character must pass the key filter; an input method would bypass it.
    txtName->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtName->installEventFilter(this);

    setTabOrder(txtName, cboDate);
    setTabOrder(cboDate, cboMonth);
    setTabOrder(cboMonth, cboYear);
    setTabOrder(cboYear, cmdNext);
    setTabOrder(cmdNext, cmdExit);
    txtName->setFocus();

    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(Label61, &CaptionLabel::Click, this, &modHelp::OpenHomePage);
    connect(lblCobrand, &CaptionLabel::Click, this, &modHelp::OpenCoBrandPage);
    connect(lblFullBrand, &CaptionLabel::Click, this, &modHelp::OpenFullyBrandedPage);

    Form_Load();
}

void frmMain::buildMenu()
{
    menuBar = makeControl<QMenuBar>(this, "menuBar");
    const auto action = [](QMenu *menu, const char *name, const QString &text) {
        QAction *entry = menu->addAction(text);
        entry->setObjectName(QLatin1String(name));
        return entry;
    };
    const auto separator = [](QMenu *menu, const char *name) {
        QAction *entry = menu->addSeparator();
        entry->setObjectName(QLatin1String(name));
        return entry;
    };

    mnuFile = menuBar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFindSexualitySign =
        action(mnuFile, "mnuFindSexualitySign", QStringLiteral("Get My &Eris Astrology Sign"));
    mnuExit = action(mnuFile, "mnuExit", QStringLiteral("E&xit"));

    mnuHelp = menuBar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuOnline = action(mnuHelp, "mnuOnline", QStringLiteral("&Online Help"));
    mnuVisit = action(mnuHelp, "mnuVisit", QStringLiteral("&Visit Us Online"));
    mnuHelp1 = separator(mnuHelp, "mnuHelp1");
    mnuUpdate = action(mnuHelp, "mnuUpdate", QStringLiteral("Check for Software &Update"));
    mnuHelp2 = separator(mnuHelp, "mnuHelp2");
    mnuAbout = action(mnuHelp, "mnuAbout", QStringLiteral("&About Software"));

    mnuDonate = menuBar->addAction(QStringLiteral("&Donate"));
    mnuDonate->setObjectName(QStringLiteral("mnuDonate"));
    // Switched off in the design: not offered, though it still has its action.
    mnuMakeMoneyOnline = menuBar->addAction(QStringLiteral("Make Money &Online"));
    mnuMakeMoneyOnline->setObjectName(QStringLiteral("mnuMakeMoneyOnline"));
    mnuMakeMoneyOnline->setVisible(false);

    connect(mnuFindSexualitySign, &QAction::triggered, this, &frmMain::cmdNext_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::cmdExit_Click);
    connect(mnuOnline, &QAction::triggered, this, &modHelp::OpenHelpPage);
    connect(mnuVisit, &QAction::triggered, this, &modHelp::OpenHomePage);
    connect(mnuUpdate, &QAction::triggered, this, &modHelp::OpenDownloadPage);
    connect(mnuAbout, &QAction::triggered, this, [this] { frmAbout::showModal(this); });
    connect(mnuDonate, &QAction::triggered, this, &modHelp::OpenDonatePage);
    connect(mnuMakeMoneyOnline, &QAction::triggered, this, &modHelp::OpenFullyBrandedPage);
}

void frmMain::Form_Load()
{
    for (int day = 1; day <= 31; ++day)
        cboDate->addItem(QString::number(day));
    for (const char16_t *month : modPlanetSign::kMonthNames)
        cboMonth->addItem(QStringView(month).toString());
    for (int year = kFirstYear; year <= kLastYear; ++year)
        cboYear->addItem(QString::number(year));
    cboDate->setCurrentIndex(0);
    cboMonth->setCurrentIndex(0);
    cboYear->setCurrentIndex(0);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != txtName || event->type() != QEvent::KeyPress)
        return Form::eventFilter(watched, event);

    const QList<uint> typed = static_cast<QKeyEvent *>(event)->text().toUcs4();
    // Keys that insert nothing (arrows, Home, Delete, Tab, Ctrl shortcuts) pass as they are.
    if (typed.isEmpty() ||
        (typed.size() == 1 && !QChar::isPrint(typed[0]) && typed[0] != '\b' && typed[0] != '\r'))
        return Form::eventFilter(watched, event);

    // Several characters from one key are no single letter.
    int code = typed.size() == 1 ? static_cast<int>(typed[0]) : -1;
    const int before = code;
    txtName_KeyPress(code);
    if (code == 0)
        return true;
    if (code != before) {
        txtName->insert(QString(QChar(code)));
        return true;
    }
    return Form::eventFilter(watched, event);
}

void frmMain::txtName_KeyPress(int &KeyAscii)
{
    const bool upper = KeyAscii >= 'A' && KeyAscii <= 'Z';
    const bool lower = KeyAscii >= 'a' && KeyAscii <= 'z';
    const bool passes = KeyAscii == '\b' || KeyAscii == '\r' || KeyAscii == ' ';
    if (!upper && !lower && !passes) {
        platform::showInformation(this, QStringLiteral("Please Enter only Letters"));
        KeyAscii = 0;
        return;
    }
    if (lower)
        KeyAscii -= 32;
}

bool frmMain::ValidateBirthData()
{
    if (txtName->text().isEmpty()) {
        platform::showInformation(this, QStringLiteral("Please Enter Your Name"));
        txtName->setFocus();
        return false;
    }

    // Gregorian leap years: 1900 had no 29 February.
    const int day = cboDate->currentIndex();
    const int month = cboMonth->currentIndex();
    if (month == kFebruary) {
        const bool leap = isLeapYear(cboYear->currentText().toInt());
        if (day == kDay30 || day == kDay31 || (!leap && day == kDay29)) {
            platform::showInformation(this, QStringLiteral("Please Enter Correct Date Or Month!"));
            return false;
        }
    }
    if (isThirtyDayMonth(month) && day == kDay31) {
        platform::showInformation(this, QStringLiteral("Please Enter Correct Date Or Month !"));
        return false;
    }
    return true;
}

void frmMain::cmdNext_Click()
{
    if (!ValidateBirthData())
        return;
    modPlanetSign::DetermineErisSign();

    auto &display = LoadedWindows::get<frmDisplay>();
    if (modPlanetSign::ErisSign == u"Aries")
        display.lblSignDesc->setText(interpretation::aries());
    else if (modPlanetSign::ErisSign == u"Pisces")
        display.lblSignDesc->setText(interpretation::pisces());
    display.lblXenaSign->setText(modPlanetSign::ErisSign);

    hide();
    LoadedWindows::get<frmNagScreen2>().hide();
    display.show();
}

void frmMain::cmdExit_Click()
{
    Unload();
}

void frmMain::Form_Unload()
{
    ShowExitPromotion();
}
