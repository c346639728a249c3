// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "weblinks/frmAbout.h"

#include "app/version.h"
#include "platform/appicon.h"
#include "platform/controls.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kBackground(224, 224, 224);
const QColor kBlue(0, 0, 255);

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
    , Form(this)
{
    setUpWindow("frmAbout", QStringLiteral(SKYRAND_TITLE), Qt::Dialog);
    setWindowIcon(applicationIcon());

    // The design fixes the light grey background, so every colour on it is fixed too: the
    // window stays readable under a dark desktop palette.
    setPalette(fixedLightPalette(kBackground));
    setAutoFillBackground(true);

    createControls();
    layOutControls();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(lblHomePage, &CaptionLabel::Click, this, &modHelp::OpenHomePage);
    connect(Label5, &CaptionLabel::Click, this, &modHelp::OpenFullyBrandedPage);
}

void frmAbout::createControls()
{
    const int textWidth = fontMetrics().averageCharWidth() * 58;

    picIcon = makeControl<QLabel>(this, "picIcon");
    picIcon->setPixmap(applicationIcon().pixmap(48, 48));
    picIcon->setAccessibleName(QStringLiteral("Skyrand icon"));

    Label2 = makeControl<QLabel>(this, "Label2", QStringLiteral(SKYRAND_TITLE));
    Label2->setFont(designFont(9.75, true));
    setColour(Label2, QPalette::WindowText, QColor(kNavy));

    Label1 = makeControl<CaptionLabel>(this, "Label1");
    Label1->setCaption(
        QStringLiteral("Skyrand describes the placement of the asteroid Eris or Xena in your birth "
                       "chart. This sign helps you understand yourself and know more about the "
                       "discord and problems that you may face."));
    Label1->wrapAtWidth(textWidth);
    setColour(Label1, QPalette::WindowText, kBlue);

    lblHomePage = makeControl<CaptionLabel>(this, "lblHomePage");
    lblHomePage->setCaption(QStringLiteral("Click here to visit ") + vendor::baseAddress());
    lblHomePage->setLink();
    lblHomePage->setFont(designFont(8.25, true, true));
    setColour(lblHomePage, QPalette::WindowText, QColor(kNavy));

    Label6 = makeControl<CaptionLabel>(this, "Label6");
    Label6->setCaption(
        QStringLiteral("Home Business Opportunity. Start your own Internet business and make money "
                       "online. Get this software fully branded for your website."));
    Label6->wrapAtWidth(textWidth);
    Label6->setFont(designFont(8.25, true));
    setColour(Label6, QPalette::WindowText, kBlue);

    Label5 = makeControl<CaptionLabel>(this, "Label5");
    Label5->setCaption(QStringLiteral("Click here for more details"));
    Label5->setLink();
    Label5->setFont(designFont(8.25, true, true));
    setColour(Label5, QPalette::WindowText, QColor(kNavy));

    Line2 = makeControl<QFrame>(this, "Line2");
    Line2->setFrameShape(QFrame::HLine);
    Line2->setFrameShadow(QFrame::Sunken);

    cmdOK = makeControl<QPushButton>(this, "cmdOK", QStringLiteral("&OK"));
    cmdOK->setFont(designFont(8.25, true));
    cmdOK->setDefault(true);
}

void frmAbout::layOutControls()
{
    auto *title = new QHBoxLayout;
    title->addWidget(picIcon);
    title->addWidget(Label2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(title);
    layout->addWidget(Label1);
    layout->addWidget(lblHomePage);
    layout->addSpacing(6);
    layout->addWidget(Label6);
    layout->addWidget(Label5, 0, Qt::AlignRight);
    layout->addWidget(Line2);
    layout->addWidget(cmdOK, 0, Qt::AlignRight);
}

void frmAbout::showModal(QWidget *owner)
{
    auto *about = new frmAbout(owner);
    about->exec(); // deletes it on the way out, as the window deletes itself when closed
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    unloadOnClose(event);
}

void frmAbout::cmdOK_Click()
{
    Unload();
}
