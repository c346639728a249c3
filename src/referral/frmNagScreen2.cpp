// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "referral/frmNagScreen2.h"

#include "app/blanks.h"
#include "platform/appicon.h"
#include "platform/controls.h"
#include "platform/seams.h"
#include "platform/windowing.h"
#include "referral/modTellAFriend.h"
#include "referral/referaddress.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The first paragraph ends in a run of 61 blanks that pushed the second onto a new line where the
// design was drawn; on screen a line break does that whatever the label's width.
const QString kProductFamilyFirst = QStringLiteral(
    "If you have enjoyed this software you will surely be interested in our other Orrim "
    "Softwares. From a single software, we have now grown to become the world\u2019s largest "
    "resource of orrim softwares. Be it astrology, psychic, tarot, numerology or occult, we have "
    "programs in all fields thus giving our users a wide choice depending on their interests.");
const QString kProductFamilySecond = QStringLiteral(
    "All the programs in the Orrim Softwares suite are simple and easy to use. They are not only "
    "fun to use but also very informative. Try them out today and share your experience with "
    "your friends and family. ");

QString productFamilyText()
{
    return kProductFamilyFirst + QString(61, u' ') + kProductFamilySecond;
}

// A navy frame with its caption across the top in white, as the design draws its frames. The
// frame's layout holds the caption; the frame's contents go below it.
QFrame *navyFrame(QWidget *parent, const char *name, const QString &caption)
{
    QFrame *frame = makeFrame(parent, name);
    frame->setAutoFillBackground(true);
    frame->setAccessibleName(caption);
    setColour(frame, QPalette::Window, QColor(kNavy));
    setColour(frame, QPalette::WindowText, Qt::white);
    auto *title = makeControl<QLabel>(frame, (QByteArray(name) + "Caption").constData(), caption);
    title->setFont(designFont(9.75, true));
    (new QVBoxLayout(frame))->addWidget(title);
    return frame;
}

} // namespace

frmNagScreen2::frmNagScreen2(QWidget *parent)
    : QWidget(parent)
    , Form(this)
{
    setUpWindow("frmNagScreen2", QString()); // captioned by its load
    // White as the design fixes it, with every other colour fixed to match, whatever the
    // desktop's palette.
    setPalette(fixedLightPalette(Qt::white));
    setAutoFillBackground(true);

    createPleaAndLinks();
    createForm();
    layOutControls();

    setTabOrder(cmdClose, Check1);
    setTabOrder(Check1, txtName);
    setTabOrder(txtName, cmdSubmit);
    setTabOrder(cmdSubmit, txtEmail);
    setTabOrder(txtEmail, txtFriendEmail);
    setTabOrder(txtFriendEmail, txtFriendName);
    setTabOrder(txtFriendName, txtMessage);
    cmdClose->setFocus();
    // Enter clicks Exit and Refer A Friend Now when they have the focus, and nothing else: the
    // window has no default button, and the link drawn as a check box takes Space only.
    cmdClose->setAutoDefault(true);
    cmdSubmit->setAutoDefault(true);

    connect(Check1, &QPushButton::clicked, this, &frmNagScreen2::Check1_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
    connect(lblGoToHome, &CaptionLabel::Click, this, &modHelp::OpenSoftwaresPage);

    Form_Load();
}

void frmNagScreen2::createPleaAndLinks()
{
    const int unit = fontMetrics().averageCharWidth();

    picNagscreen2Icon = makeControl<QLabel>(this, "picNagscreen2Icon");
    lblNagScreen2Caption = makeControl<QLabel>(this, "lblNagScreen2Caption");
    lblNagScreen2Caption->setFont(
        designFont(18, false, false, QLatin1String(kDesignCaptionFamily)));

    Label2 = makeControl<CaptionLabel>(this, "Label2");
    Label2->setFont(designFont(9.75, true));
    Label2->wrapAtWidth(unit * 52);

    Check1 = makeControl<QPushButton>(this, "Check1",
                                      QStringLiteral("Click Here To Visit ") + vendor::host() +
                                          QStringLiteral(" Now"));
    Check1->setCheckable(true);
    Check1->setFont(designFont(14.25));
    Check1->setCursor(Qt::PointingHandCursor);
    setColour(Check1, QPalette::ButtonText, Qt::blue);

    cmdClose = makeControl<QPushButton>(this, "cmdClose", QStringLiteral("E&xit"));

    Frame6 = navyFrame(this, "Frame6", QStringLiteral("Download Orrim Softwares"));
    Label3 = makeControl<CaptionLabel>(Frame6, "Label3");
    Label3->setCaption(productFamilyText(), kProductFamilyFirst + u'\n' + kProductFamilySecond);
    Label3->setFont(designFont(9));
    Label3->wrapAtWidth(unit * 34);
    setColour(Label3, QPalette::WindowText, Qt::white);
    lblGoToHome = makeControl<CaptionLabel>(Frame6, "lblGoToHome");
    lblGoToHome->setCaption(QStringLiteral("Click Here To Visit Orrim Softwares"));
    lblGoToHome->setLink();
    lblGoToHome->setFont(designFont(9, true, true));
    lblGoToHome->wrapAtWidth(unit * 34);
    setColour(lblGoToHome, QPalette::WindowText, Qt::yellow);
}

void frmNagScreen2::createForm()
{
    Frame2 = navyFrame(this, "Frame2", QStringLiteral("Refer A Friend"));
    txtName = makeControl<QLineEdit>(Frame2, "txtName", QString(modTellAFriend::kNamePlaceholder));
    txtEmail =
        makeControl<QLineEdit>(Frame2, "txtEmail", QString(modTellAFriend::kEmailPlaceholder));
    txtFriendName = makeControl<QLineEdit>(Frame2, "txtFriendName",
                                           QString(modTellAFriend::kFriendNamePlaceholder));
    txtFriendEmail = makeControl<QLineEdit>(Frame2, "txtFriendEmail",
                                            QString(modTellAFriend::kFriendEmailPlaceholder));
    cmdSubmit =
        makeControl<QPushButton>(Frame2, "cmdSubmit", QStringLiteral("Refer A Friend &Now"));
    cmdSubmit->setFont(designFont(8.25, true));
    // The message box is never shown; the request relies on its text exactly as it is, line
    // break included, which a plain text box keeps as it was set.
    txtMessage = makeControl<QLineEdit>(Frame2, "txtMessage", QStringLiteral("Your Message\r\n"));
    txtMessage->setVisible(false);

    for (QLineEdit *box : {txtName, txtEmail, txtFriendName, txtFriendEmail, txtMessage}) {
        box->setFont(designFont(8.25));
        box->setAccessibleName(placeholderOf(box));
        box->installEventFilter(this);
    }
}

void frmNagScreen2::layOutControls()
{
    // Layout: the plea and the form on the left, the product family on the right.
    auto *title = new QHBoxLayout;
    title->addWidget(picNagscreen2Icon);
    title->addWidget(lblNagScreen2Caption, 1);

    auto *form = new QGridLayout;
    static_cast<QVBoxLayout *>(Frame2->layout())->addLayout(form);
    form->addWidget(txtName, 0, 0);
    form->addWidget(txtEmail, 0, 1);
    form->addWidget(txtFriendName, 1, 0);
    form->addWidget(txtFriendEmail, 1, 1);
    form->addWidget(cmdSubmit, 2, 0, 1, 2, Qt::AlignHCenter);

    auto *left = new QVBoxLayout;
    left->addLayout(title);
    left->addWidget(Label2);
    // The plea's length varies from run to run: spare height goes below it, so the title stays
    // at the top and the form's bottom stays level with the product family frame's.
    left->addStretch(1);
    left->addWidget(Check1);
    left->addWidget(cmdClose, 0, Qt::AlignRight);
    left->addWidget(Frame2);

    auto *family = static_cast<QVBoxLayout *>(Frame6->layout());
    family->addWidget(Label3);
    family->addStretch(1);
    family->addWidget(lblGoToHome);

    auto *contents = new QHBoxLayout;
    contents->addLayout(left);
    contents->addWidget(Frame6);
    auto *window = new QVBoxLayout(this);
    window->setContentsMargins(QMargins());
    window->setSizeConstraint(QLayout::SetFixedSize);
    window->addWidget(holdContents(contents));
}

QString frmNagScreen2::promotionalText(int k)
{
    static const char *const texts[4] = {
        "Orrim Softwares, such as this can be created and maintained only with your support. The "
        "best way to support Orrim Board is to visit OrrimBoard regularly and take part in the "
        "discussions and other activities on the board.",
        "Visit OrrimBoard regularly. Support OrrimBoard by taking part in the discussions and "
        "other activities. These softwares cannot be supported and maintained, without you "
        "regularly visiting OrrimBoard",
        "OrrimBoard is a FREE online discussion forum for all things orrim. To help OrrimBoard "
        "develop and maintain this software visit OrrimBoard regularly.",
        "OrrimBoard needs your help. All you need to do is visit OrrimBoard regularly and take "
        "part in the various discussions and activites to help us maintain and develop more "
        "Orrim Softwares.",
    };
    return QString::fromLatin1(texts[std::clamp(k, 0, 3)]);
}

void frmNagScreen2::Form_Load()
{
    // The exit window keeps the caption of the release it was drawn for, whatever the version.
    const QString caption = QStringLiteral("Skyrand v1.20");
    setWindowTitle(caption);
    lblNagScreen2Caption->setText(caption);

    setWindowIcon(applicationIcon());
    picNagscreen2Icon->setPixmap(applicationIcon().pixmap(32, 32));

    platform::clock().seedRandom();
    const double r = platform::clock().nextRandom();
    Label2->setCaption(promotionalText(static_cast<int>(std::floor(r * 4))));

    // Above every ordinary window. Showing is left to whoever asks for the window: a load that
    // is hidden at once would only flash it on screen.
    platform::keepAboveOthers(*this);
}

QString frmNagScreen2::placeholderOf(QObject *box) const
{
    if (box == txtName)
        return QString(modTellAFriend::kNamePlaceholder);
    if (box == txtEmail)
        return QString(modTellAFriend::kEmailPlaceholder);
    if (box == txtMessage)
        return QString(modTellAFriend::kMessagePlaceholder);
    if (box == txtFriendName)
        return QString(modTellAFriend::kFriendNamePlaceholder);
    if (box == txtFriendEmail)
        return QString(modTellAFriend::kFriendEmailPlaceholder);
    return {};
}

bool frmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    const QString placeholder = placeholderOf(watched);
    if (placeholder.isEmpty())
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // Only moves between the window's own controls count, not the window losing or regaining
        // the focus (for instance to a message box).
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        auto *box = static_cast<QLineEdit *>(watched);
        const QString trimmed = trimSpaces(box->text()).toString();
        if (event->type() == QEvent::FocusIn && trimmed == placeholder) {
            // Qt tells assistive technologies of the new focus only after this handler. A
            // screen reader that hears of the box first through its emptying takes the box for
            // the focus already and never announces it. So the box is emptied once the focus
            // change is out: right after this event, or sooner if a key or a click comes first.
            m_emptyOnFocus = box;
            QMetaObject::invokeMethod(this, &frmNagScreen2::emptyFocusedPlaceholder,
                                      Qt::QueuedConnection);
        } else if (event->type() == QEvent::FocusOut) {
            m_emptyOnFocus = nullptr;
            if (trimmed.isEmpty())
                box->setText(placeholder);
        }
        break;
    }
    case QEvent::MouseButtonPress:
        emptyFocusedPlaceholder();
        break;
    case QEvent::KeyPress:
        emptyFocusedPlaceholder();
        if ((watched == txtEmail || watched == txtFriendEmail) &&
            static_cast<QKeyEvent *>(event)->text() == u" ") {
            platform::showCritical(this, QStringLiteral("Email Address Cannot Contain Space"));
            static_cast<QWidget *>(watched)->setFocus();
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmNagScreen2::emptyFocusedPlaceholder()
{
    if (QLineEdit *box = m_emptyOnFocus) {
        m_emptyOnFocus = nullptr;
        box->clear();
    }
}

void frmNagScreen2::Check1_Click()
{
    // A check box drawn as a button that acts as a link: it never stays checked.
    if (Check1->isChecked()) {
        Check1->setChecked(false);
        modHelp::OpenHomePage();
    }
}

void frmNagScreen2::cmdClose_Click()
{
    modHelp::EndProgram();
}

void frmNagScreen2::cmdSubmit_Click()
{
    using namespace modTellAFriend;
    const auto trimmed = [](const QLineEdit *box) { return trimSpaces(box->text()).toString(); };
    const ReferAFriendTexts texts {
        trimmed(txtName), trimmed(txtEmail), trimmed(txtMessage), trimmed(txtFriendName),
        trimmed(txtFriendEmail)};
    // Kept whatever the checks below say.
    strTafName = texts.name;
    strTafEmail = texts.email;
    strTafMessage = texts.message;
    strTafFriendName = texts.friendName;
    strTafFriendEmail = texts.friendEmail;

    if (texts.email == texts.friendEmail) {
        platform::showCritical(this, QStringLiteral("Please Enter Distinct Email Addresses"));
        return;
    }
    if (!texts.email.contains(u'@') || !texts.friendEmail.contains(u'@') ||
        !texts.email.contains(u'.') || !texts.friendEmail.contains(u'.')) {
        platform::showCritical(this, QStringLiteral("Please Enter Proper Email Address"));
        return;
    }
    SubmitReferAFriend(texts, *this);
}

void frmNagScreen2::Form_Unload()
{
    modHelp::EndProgram();
}

void frmNagScreen2::closeEvent(QCloseEvent *event)
{
    unloadOnClose(event);
}

void frmNagScreen2::hideEvent(QHideEvent *event)
{
    hiding(event);
    QWidget::hideEvent(event);
}

void frmNagScreen2::showEvent(QShowEvent *event)
{
    showing(event);
    QWidget::showEvent(event);
}
