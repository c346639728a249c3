#include "reading/frmDisplay.h"

#include "app/exitflow.h"
#include "app/version.h"
#include "platform/controls.h"
#include "reading/frmMain.h"
#include "reading/interpretations.h"
#include "referral/frmNagScreen2.h"
#include "weblinks/frmAbout.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

frmDisplay::frmDisplay(QWidget *parent)
    : Form(parent)
{
    setObjectName(QStringLiteral("frmDisplay"));
    setWindowTitle(QStringLiteral(SKYRAND_TITLE));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFont(designFont(8.25));

    const int textWidth = fontMetrics().averageCharWidth() * 62;

    buildMenu();

    cmdBack = makeControl<QPushButton>(this, "cmdBack", QStringLiteral("&Back"));
    cmdExit = makeControl<QPushButton>(this, "cmdExit", QStringLiteral("&Exit"));

    Frame2 = makeControl<QGroupBox>(this, "Frame2");
    Label61 = makeControl<CaptionLabel>(Frame2, "Label61");
    Label61->setCaption(vendor::boardPromotion());
    Label61->setLink(true);
    Label61->setWordWrap(true);
    Label61->setAlignment(Qt::AlignCenter);
    Label61->setFont(designFont(8.25, true));
    Label61->setFixedWidth(textWidth);
    (new QVBoxLayout(Frame2))->addWidget(Label61);

    Frame5 = makeControl<QGroupBox>(this, "Frame5");
    lblFullBrand = makeControl<CaptionLabel>(Frame5, "lblFullBrand");
    lblCobrand = makeControl<CaptionLabel>(Frame5, "lblCobrand");
    lblFullBrand->setCaption(vendor::fullBrandOffer());
    lblCobrand->setCaption(vendor::coBrandOffer());
    for (CaptionLabel *offer : {lblFullBrand, lblCobrand}) {
        offer->setLink(true);
        offer->setWordWrap(true);
        offer->setAutoFillBackground(true); // opaque: the co-brand offer covers the other
        offer->setFixedWidth(textWidth);
    }
    auto *offers = new QGridLayout(Frame5);
    offers->addWidget(lblFullBrand, 0, 0);
    offers->addWidget(lblCobrand, 0, 0);

    fraSexualitySign = makeControl<QGroupBox>(this, "fraSexualitySign");
    lblSignDesc = makeControl<QLabel>(fraSexualitySign, "lblSignDesc", interpretation::neutral());
    Label12 = makeControl<QLabel>(fraSexualitySign, "Label12",
                                  QStringLiteral("Xena/Eris in your Chart is Placed in"));
    lblXenaSign =
        makeControl<QLabel>(fraSexualitySign, "lblXenaSign", QStringLiteral("lblSexualitySign"));
    lblSignDesc->setTextFormat(Qt::PlainText);
    lblSignDesc->setWordWrap(true);
    lblSignDesc->setFixedWidth(textWidth);
    lblSignDesc->setAccessibleDescription(QStringLiteral("Interpretation"));
    lblXenaSign->setTextFormat(Qt::PlainText);
    lblXenaSign->setAccessibleDescription(QStringLiteral("Eris sign"));
    Label12->setFont(designFont(9.75, true));
    lblXenaSign->setFont(designFont(9.75, true));

    auto *heading = new QHBoxLayout;
    heading->addWidget(Label12);
    heading->addWidget(lblXenaSign, 1);
    auto *result = new QVBoxLayout(fraSexualitySign);
    result->addLayout(heading);
    result->addSpacing(4);
    result->addWidget(lblSignDesc);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdBack, 3);
    buttons->addWidget(cmdExit, 1);

    auto *window = new QVBoxLayout(this);
    window->setMenuBar(menuBar);
    window->setSizeConstraint(QLayout::SetFixedSize);
    window->addWidget(Frame2);
    window->addWidget(fraSexualitySign);
    window->addLayout(buttons);
    window->addWidget(Frame5);

    cmdExit->setDefault(true);
    setCancelButton(cmdExit);
    setTabOrder(cmdExit, cmdBack);
    cmdExit->setFocus();

    connect(cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmDisplay::cmdExit_Click);
    connect(Label61, &CaptionLabel::Click, this, &modHelp::OpenHomePage);
    connect(lblCobrand, &CaptionLabel::Click, this, &modHelp::OpenCoBrandPage);
    connect(lblFullBrand, &CaptionLabel::Click, this, &modHelp::OpenFullyBrandedPage);
}

void frmDisplay::buildMenu()
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
    mnuFileBack = action(mnuFile, "mnuFileBack", QStringLiteral("&Back"));
    mnuExit = action(mnuFile, "mnuExit", QStringLiteral("E&xit"));

    mnuHelp = menuBar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuOnline = action(mnuHelp, "mnuOnline", QStringLiteral("&Online Help"));
    mnuVisit = action(mnuHelp, "mnuVisit", QStringLiteral("&Visit Us Online"));
    mnuFileSep1 = separator(mnuHelp, "mnuFileSep1");
    mnuUpdate = action(mnuHelp, "mnuUpdate", QStringLiteral("&Check for Software Update"));
    mnuFileSep2 = separator(mnuHelp, "mnuFileSep2");
    mnuAbout = action(mnuHelp, "mnuAbout", QStringLiteral("&About Software"));

    mnuDonate = menuBar->addAction(QStringLiteral("&Donate"));
    mnuDonate->setObjectName(QStringLiteral("mnuDonate"));
    mnuMakeMoneyOnline = menuBar->addAction(QStringLiteral("Make Money &Online"));
    mnuMakeMoneyOnline->setObjectName(QStringLiteral("mnuMakeMoneyOnline"));
    mnuMakeMoneyOnline->setVisible(false);

    connect(mnuFileBack, &QAction::triggered, this, &frmDisplay::cmdBack_Click);
    connect(mnuExit, &QAction::triggered, this, &frmDisplay::cmdExit_Click);
    connect(mnuOnline, &QAction::triggered, this, &modHelp::OpenHelpPage);
    connect(mnuVisit, &QAction::triggered, this, &modHelp::OpenHomePage);
    connect(mnuUpdate, &QAction::triggered, this, &modHelp::OpenDownloadPage);
    connect(mnuAbout, &QAction::triggered, this, [this] { frmAbout::showModal(this); });
    connect(mnuDonate, &QAction::triggered, this, &modHelp::OpenDonatePage);
    connect(mnuMakeMoneyOnline, &QAction::triggered, this, &modHelp::OpenFullyBrandedPage);
}

void frmDisplay::cmdBack_Click()
{
    Unload();
    LoadedWindows::get<frmMain>().show();
    LoadedWindows::get<frmNagScreen2>().hide();
}

void frmDisplay::cmdExit_Click()
{
    Unload();
}

void frmDisplay::Form_Unload()
{
    ShowExitPromotion();
}
