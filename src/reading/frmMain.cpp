// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "reading/frmMain.h"

#include "app/exitflow.h"
#include "app/version.h"
#include "platform/controls.h"
#include "platform/seams.h"
#include "platform/windowing.h"
#include "reading/frmDisplay.h"
#include "reading/interpretations.h"
#include "reading/modPlanetSign.h"
#include "reading/namekey.h"
#include "reading/signtable.h"
#include "referral/frmNagScreen2.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"
#include "weblinks/vendorcontrols.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2040;

bool isThirtyDayMonth(int month)
{
    return month == 4 || month == 6 || month == 9 || month == 11;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : MainForm(parent)
{
    setUpWindow("frmMain", QStringLiteral(SKYRAND_TITLE));
    buildMenu();
    createControls();
    layOutControls();
    setUpKeyboard();

    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(lblCobrand, &CaptionLabel::Click, this, &modHelp::OpenCoBrandPage);
    connect(lblFullBrand, &CaptionLabel::Click, this, &modHelp::OpenFullyBrandedPage);

    Form_Load();
}

void frmMain::createControls()
{
    const int textWidth = fontMetrics().averageCharWidth() * 62;

    Frame2 = makeFrame(this, "Frame2");
    Label61 = addBoardPromotion(Frame2, textWidth);

    Frame1 = makeFrame(this, "Frame1");
    Picture1 = makeControl<QFrame>(Frame1, "Picture1");
    cboMonth = makeControl<QComboBox>(Picture1, "cboMonth");
    txtName = makeControl<QLineEdit>(Picture1, "txtName");
    cboDate = makeControl<DigitsComboBox>(Picture1, "cboDate", 2);
    cboYear = makeControl<DigitsComboBox>(Picture1, "cboYear", 4);
    Label7 = makeControl<QLabel>(Picture1, "Label7", QStringLiteral("Month"));
    Label2 = makeControl<QLabel>(Picture1, "Label2", QStringLiteral("Date Of Birth"));
    Label1 = makeControl<QLabel>(Picture1, "Label1", QStringLiteral("Name"));
    Label5 = makeControl<QLabel>(Picture1, "Label5", QStringLiteral("Date"));
    Label6 = makeControl<QLabel>(Picture1, "Label6", QStringLiteral("Year"));
    cmdNext =
        makeControl<QPushButton>(Frame1, "cmdNext", QStringLiteral("Get My &Eris Astrology Sign"));
    Label3 = makeControl<CaptionLabel>(Frame1, "Label3");
    Label3->setCaption(
        QStringLiteral("Skyrand describes the placement of the asteroid Eris or Xena in your birth "
                       "chart. This helps you know more about your energy, material needs, "
                       "discords, problems, disputes and quarrels."));
    Label3->wrapAtWidth(textWidth);

    Frame5 = makeFrame(this, "Frame5");
    cmdExit = makeControl<QPushButton>(Frame5, "cmdExit", QStringLiteral("&Exit"));
    lblCobrand = makeControl<CaptionLabel>(Frame5, "lblCobrand");
    lblFullBrand = makeControl<CaptionLabel>(Frame5, "lblFullBrand");
    const int offerWidth = textWidth - cmdExit->sizeHint().width() - 8;
    setUpOffer(lblCobrand, vendor::coBrandOffer(), offerWidth);
    setUpOffer(lblFullBrand, vendor::fullBrandOffer(), offerWidth);
}

void frmMain::layOutControls()
{
    // Layout: three bands; in the middle the description, the input panel and the button.
    for (QLabel *heading : {Label1, Label2, Label5, Label6, Label7})
        heading->setFont(designFont(8.25));
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

    auto *window = new QVBoxLayout;
    window->addWidget(Frame2);
    window->addWidget(Frame1);
    window->addWidget(Frame5);
    setMenuAndContents(menuBar, window);
}

void frmMain::setUpKeyboard()
{
    // Keyboard: Enter outside a button and Escape anywhere click Exit, Enter on the Get-sign
    // button clicks that; the lists are named by their headings for screen readers.
    setExitButton(cmdExit);
    cmdNext->setAutoDefault(true);
    Label1->setBuddy(txtName);
    Label5->setBuddy(cboDate);
    Label7->setBuddy(cboMonth);
    Label6->setBuddy(cboYear);
    txtName->setAccessibleName(QStringLiteral("Name"));
    // Every typed character must pass the key filter; an input method would bypass it.
    txtName->setAttribute(Qt::WA_InputMethodEnabled, false);
    txtName->installEventFilter(this);

    setTabOrder(txtName, cboDate);
    setTabOrder(cboDate, cboMonth);
    setTabOrder(cboMonth, cboYear);
    setTabOrder(cboYear, cmdNext);
    setTabOrder(cmdNext, cmdExit);
    txtName->setFocus();
}

void frmMain::buildMenu()
{
    menuBar = makeControl<QMenuBar>(this, "menuBar");
    mnuFile = addMenu(menuBar, "mnuFile", QStringLiteral("&File"));
    mnuFindSexualitySign = addMenuEntry(mnuFile, "mnuFindSexualitySign",
                                        QStringLiteral("Get My &Eris Astrology Sign"));
    mnuExit = addMenuEntry(mnuFile, "mnuExit", QStringLiteral("E&xit"));
    const VendorMenus vendorMenus = addVendorMenus(menuBar, this, "mnuHelp1", "mnuHelp2",
                                                   QStringLiteral("Check for Software &Update"));
    mnuHelp = vendorMenus.mnuHelp;
    mnuOnline = vendorMenus.mnuOnline;
    mnuVisit = vendorMenus.mnuVisit;
    mnuHelp1 = vendorMenus.separator1;
    mnuUpdate = vendorMenus.mnuUpdate;
    mnuHelp2 = vendorMenus.separator2;
    mnuAbout = vendorMenus.mnuAbout;
    mnuDonate = vendorMenus.mnuDonate;
    mnuMakeMoneyOnline = vendorMenus.mnuMakeMoneyOnline;

    connect(mnuFindSexualitySign, &QAction::triggered, this, &frmMain::cmdNext_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::cmdExit_Click);
}

void frmMain::Form_Load()
{
    // Each list filled in one step; sized for its widest entry without measuring each one.
    QStringList days;
    for (int day = 1; day <= 31; ++day)
        days.append(QString::number(day));
    cboDate->addItems(days);
    QStringList months;
    for (const char16_t *month : modPlanetSign::kMonthNames)
        months.append(QStringView(month).toString());
    cboMonth->addItems(months);
    QStringList years;
    for (int year = kFirstYear; year <= kLastYear; ++year)
        years.append(QString::number(year));
    cboYear->addItems(years);
    cboDate->setCurrentIndex(0);
    cboMonth->setCurrentIndex(0);
    cboYear->setCurrentIndex(0);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != txtName || event->type() != QEvent::KeyPress)
        return MainForm::eventFilter(watched, event);

    auto *key = static_cast<QKeyEvent *>(event);
    // These keys move the focus, delete or cancel; they carry control codes in their text all the
    // same, but they type nothing.
    const bool typesNothing = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
        key->key() == Qt::Key_Delete || key->key() == Qt::Key_Escape;
    const namekey::Decision decision = txtName_KeyPress(typesNothing ? QString() : key->text());
    switch (decision.action) {
    case namekey::Action::Pass:
        return MainForm::eventFilter(watched, event);
    case namekey::Action::Insert:
        txtName->insert(decision.text);
        return true;
    case namekey::Action::Refuse:
        return true;
    }
    return true;
}

namekey::Decision frmMain::txtName_KeyPress(const QString &typed)
{
    const namekey::Decision decision = namekey::decide(typed);
    if (decision.action == namekey::Action::Refuse)
        platform::showInformation(this, QStringLiteral("Please Enter only Letters"));
    return decision;
}

bool frmMain::ValidateBirthData()
{
    if (txtName->text().isEmpty()) {
        platform::showInformation(this, QStringLiteral("Please Enter Your Name"));
        txtName->setFocus();
        return false;
    }

    // Days and months count from 1: the lists hold them in calendar order.
    const int day = cboDate->currentIndex() + 1;
    const int month = cboMonth->currentIndex() + 1;
    // Gregorian leap years: 1900 had no 29 February.
    const int lastOfFebruary = QDate::isLeapYear(cboYear->currentText().toInt()) ? 29 : 28;
    // The two messages differ in one blank: the second has it before "!", the first has not.
    // The program has always written them so; both stay as they are, to the byte.
    if (month == 2 && day > lastOfFebruary) {
        platform::showInformation(this, QStringLiteral("Please Enter Correct Date Or Month!"));
        return false;
    }
    if (isThirtyDayMonth(month) && day == 31) {
        platform::showInformation(this, QStringLiteral("Please Enter Correct Date Or Month !"));
        return false;
    }
    return true;
}

void frmMain::cmdNext_Click()
{
    if (!ValidateBirthData())
        return;
    const QString sign = modPlanetSign::DetermineErisSign(
        cboYear->currentText(), cboMonth->currentText(), cboDate->currentText());

    auto &display = LoadedWindows::load<frmDisplay>();
    if (sign == u"Aries")
        display.lblSignDesc->setText(interpretation::aries());
    else if (sign == u"Pisces")
        display.lblSignDesc->setText(interpretation::pisces());
    display.lblXenaSign->setText(sign);

    LoadedWindows::load<frmNagScreen2>().hide();
    platform::replaceWindow(*this, display);
}

void frmMain::cmdExit_Click()
{
    Unload();
}

void frmMain::Form_Unload()
{
    ShowExitPromotion(*this);
}
