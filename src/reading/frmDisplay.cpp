// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "reading/frmDisplay.h"

#include "app/exitflow.h"
#include "app/version.h"
#include "platform/controls.h"
#include "platform/windowing.h"
#include "reading/frmMain.h"
#include "reading/interpretations.h"
#include "referral/frmNagScreen2.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"
#include "weblinks/vendorcontrols.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

frmDisplay::frmDisplay(QWidget *parent)
    : MainForm(parent)
{
    setUpWindow("frmDisplay", QStringLiteral(SKYRAND_TITLE));
    buildMenu();
    createControls();
    layOutControls();

    // Enter on Back clicks Back; anywhere else Enter and Escape click Exit.
    setExitButton(cmdExit);
    cmdBack->setAutoDefault(true);
    setTabOrder(cmdExit, cmdBack);
    cmdExit->setFocus();

    connect(cmdBack, &QPushButton::clicked, this, &frmDisplay::cmdBack_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmDisplay::cmdExit_Click);
    connect(lblCobrand, &CaptionLabel::Click, this, &modHelp::OpenCoBrandPage);
    connect(lblFullBrand, &CaptionLabel::Click, this, &modHelp::OpenFullyBrandedPage);
}

void frmDisplay::createControls()
{
    const int textWidth = fontMetrics().averageCharWidth() * 62;

    cmdBack = makeControl<QPushButton>(this, "cmdBack", QStringLiteral("&Back"));
    cmdExit = makeControl<QPushButton>(this, "cmdExit", QStringLiteral("&Exit"));

    Frame2 = makeFrame(this, "Frame2");
    Label61 = addBoardPromotion(Frame2, textWidth);

    Frame5 = makeFrame(this, "Frame5");
    lblFullBrand = makeControl<CaptionLabel>(Frame5, "lblFullBrand");
    lblCobrand = makeControl<CaptionLabel>(Frame5, "lblCobrand");
    // Laid out later, the co-brand offer lies in front and covers the other.
    setUpOffer(lblFullBrand, vendor::fullBrandOffer(), textWidth);
    setUpOffer(lblCobrand, vendor::coBrandOffer(), textWidth);
    auto *offers = new QGridLayout(Frame5);
    offers->addWidget(lblFullBrand, 0, 0);
    offers->addWidget(lblCobrand, 0, 0);

    fraSexualitySign = makeFrame(this, "fraSexualitySign");
    lblSignDesc = makeControl<CaptionLabel>(fraSexualitySign, "lblSignDesc");
    lblSignDesc->setText(interpretation::neutral());
    Label12 = makeControl<QLabel>(fraSexualitySign, "Label12",
                                  QStringLiteral("Xena/Eris in your Chart is Placed in"));
    lblXenaSign =
        makeControl<QLabel>(fraSexualitySign, "lblXenaSign", QStringLiteral("lblSexualitySign"));
    lblSignDesc->wrapAtWidth(textWidth);
    lblSignDesc->setAccessibleDescription(QStringLiteral("Interpretation"));
    lblXenaSign->setTextFormat(Qt::PlainText);
    lblXenaSign->setAccessibleDescription(QStringLiteral("Eris sign"));
    Label12->setFont(designFont(9.75, true));
    lblXenaSign->setFont(designFont(9.75, true));
}

void frmDisplay::layOutControls()
{
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

    auto *window = new QVBoxLayout;
    window->addWidget(Frame2);
    window->addWidget(fraSexualitySign);
    window->addLayout(buttons);
    window->addWidget(Frame5);
    setMenuAndContents(menuBar, window);
}

void frmDisplay::buildMenu()
{
    menuBar = makeControl<QMenuBar>(this, "menuBar");
    mnuFile = addMenu(menuBar, "mnuFile", QStringLiteral("&File"));
    mnuFileBack = addMenuEntry(mnuFile, "mnuFileBack", QStringLiteral("&Back"));
    mnuExit = addMenuEntry(mnuFile, "mnuExit", QStringLiteral("E&xit"));
    const VendorMenus vendorMenus = addVendorMenus(menuBar, this, "mnuFileSep1", "mnuFileSep2",
                                                   QStringLiteral("&Check for Software Update"));
    mnuHelp = vendorMenus.mnuHelp;
    mnuOnline = vendorMenus.mnuOnline;
    mnuVisit = vendorMenus.mnuVisit;
    mnuFileSep1 = vendorMenus.separator1;
    mnuUpdate = vendorMenus.mnuUpdate;
    mnuFileSep2 = vendorMenus.separator2;
    mnuAbout = vendorMenus.mnuAbout;
    mnuDonate = vendorMenus.mnuDonate;
    mnuMakeMoneyOnline = vendorMenus.mnuMakeMoneyOnline;

    connect(mnuFileBack, &QAction::triggered, this, &frmDisplay::cmdBack_Click);
    connect(mnuExit, &QAction::triggered, this, &frmDisplay::cmdExit_Click);
}

void frmDisplay::cmdBack_Click()
{
    // Back leaves without the close steps, which would show the exit window only for Back to hide
    // it again at once: xfwm4 may keep the keyboard on a window of its own after a window is
    // mapped and unmapped so (now and then, test_exit.py ExitFlow, Back then Escape). What the
    // close steps leave behind, the exit window loaded and hidden, Back leaves too.
    platform::replaceWindow(*this, LoadedWindows::load<frmMain>());
    LoadedWindows::load<frmNagScreen2>().hide();
    discard();
}

void frmDisplay::cmdExit_Click()
{
    Unload();
}

void frmDisplay::Form_Unload()
{
    ShowExitPromotion(*this);
}
