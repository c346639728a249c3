// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Leaving the program: the exit window, its refer-a-friend form, and the end of the process.
#include "fakeplatform.h"

#include "platform/controls.h"
#include "reading/frmDisplay.h"
#include "reading/frmMain.h"
#include "referral/frmNagScreen2.h"
#include "referral/modTellAFriend.h"
#include "referral/referaddress.h"
#include "weblinks/modHelp.h"

#include <QJsonArray>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>
#include <QWindow>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kPage = QStringLiteral("https://www.orrimsoftwares.com/skyrand/ssd.php?page=");

// The requests of tests/data by case: the form's name, e-mail, friend's name and friend's e-mail,
// and the address they make.
struct Request
{
    QStringList texts;
    QString address;
};

QMap<QString, Request> requests()
{
    QMap<QString, Request> found;
    for (const QJsonValue row : testData("refer-requests.json")[u"requests"].toArray()) {
        const QJsonObject r = row.toObject();
        QStringList texts;
        for (const char *box : {"name", "email", "friend name", "friend email"})
            texts << r[QLatin1String(box)].toString();
        found.insert(r[u"case"].toString(), {texts, r[u"address"].toString()});
    }
    return found;
}

// Records the order in which windows are closed.
class CloseRecorder : public QObject
{
public:
    QStringList closed;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            closed << watched->objectName();
        return false;
    }
};

void focusChange(QWidget *box, QEvent::Type type)
{
    QFocusEvent event(type, Qt::TabFocusReason);
    QApplication::sendEvent(box, &event);
}

// Fills the form's boxes: name, e-mail, friend's name, friend's e-mail; "-" leaves a box as it is.
void fillForm(frmNagScreen2 &window, const QStringList &boxes)
{
    const QList<QLineEdit *> lines = {window.txtName, window.txtEmail, window.txtFriendName,
                                      window.txtFriendEmail};
    for (int i = 0; i < 4; ++i) {
        if (boxes[i] != u"-")
            lines[i]->setText(boxes[i]);
    }
}

QList<QPair<QString, QString>> parameters(const QString &address)
{
    return QUrlQuery(QUrl(address, QUrl::StrictMode).query(QUrl::FullyEncoded))
        .queryItems(QUrl::FullyDecoded);
}

} // namespace

class TestExitFlow : public FakePlatformTest
{
    Q_OBJECT

private slots:
    void exitWindowAsLoaded();
    void promotionalText_data();
    void promotionalText();
    void closingShowsTheExitWindow_data();
    void closingShowsTheExitWindow();
    void leavingEndsTheProgram_data();
    void leavingEndsTheProgram();
    void links();
    void enterClicksOnlyTheFocusedButton_data();
    void enterClicksOnlyTheFocusedButton();
    void messagesBelongToTheExitWindow_data();
    void messagesBelongToTheExitWindow();
    void realMessageBoxLiesAboveTheExitWindow();
    void placeholders_data();
    void placeholders();
    void noSpaceInEmailBoxes();
    void submit_data();
    void submit();
    void requestAddressesAsWrittenDown();
    void requestAddressCarriesTextsIntact_data();
    void requestAddressCarriesTextsIntact();
};

void TestExitFlow::exitWindowAsLoaded()
{
    frmNagScreen2 &window = LoadedWindows::load<frmNagScreen2>();
    QVERIFY(showActive(window));
    QVERIFY(!window.windowIcon().isNull() && !window.picNagscreen2Icon->pixmap().isNull());
    QVERIFY(window.windowFlags() & Qt::WindowStaysOnTopHint);

    QCOMPARE(window.Check1->text(), u"Click Here To Visit www.orrimsoftwares.com Now"_s);
    QCOMPARE(window.cmdClose->text(), u"E&xit"_s);
    QCOMPARE(window.cmdSubmit->text(), u"Refer A Friend &Now"_s);
    QCOMPARE(window.lblGoToHome->text(), u"Click Here To Visit Orrim Softwares"_s);
    QCOMPARE(window.findChild<QLabel *>(u"Frame6Caption"_s)->text(), u"Download Orrim Softwares"_s);
    QCOMPARE(window.findChild<QLabel *>(u"Frame2Caption"_s)->text(), u"Refer A Friend"_s);
    QCOMPARE(window.Frame2->accessibleName(), u"Refer A Friend"_s);

    // The product family text: two paragraphs 61 blanks apart, a typographic apostrophe and a
    // closing blank; on screen the second paragraph starts a line of its own.
    const QString family = window.Label3->caption();
    QVERIFY(family.startsWith(u"If you have enjoyed this software"));
    QVERIFY(family.contains(QString::fromUtf8("world\u2019s largest")));
    QVERIFY(family.contains(u"their interests."_s + QString(61, u' ') + u"All the programs"_s));
    QVERIFY(family.endsWith(u"friends and family. "));
    QVERIFY(window.Label3->text().contains(u"their interests.\nAll the programs"));

    // The hidden message box keeps its line break.
    QVERIFY(!window.txtMessage->isVisible());
    QCOMPARE(window.txtMessage->text(), u"Your Message\r\n"_s);
    QCOMPARE(window.txtFriendEmail->accessibleName(), u"Friend's Email Address"_s);

    QCOMPARE(QApplication::focusWidget(), window.cmdClose);
    const QList<QWidget *> order = {window.Check1,   window.txtName,        window.cmdSubmit,
                                    window.txtEmail, window.txtFriendEmail, window.txtFriendName};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void TestExitFlow::promotionalText_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("start");
    QTest::newRow("0") << 0.0 << "Orrim Softwares, such as this";
    QTest::newRow("just below 1/4") << 0.2499999 << "Orrim Softwares, such as this";
    QTest::newRow("1/4") << 0.25 << "Visit OrrimBoard regularly.";
    QTest::newRow("1/2") << 0.5 << "OrrimBoard is a FREE online";
    QTest::newRow("largest below 1") << std::nextafter(1.0, 0.0) << "OrrimBoard needs your help.";
}

void TestExitFlow::promotionalText()
{
    QFETCH(double, r);
    QFETCH(QString, start);
    fake->clock.randoms = {r};
    const int seeds = fake->clock.seeds;
    auto &window = LoadedWindows::load<frmNagScreen2>();
    QCOMPARE(fake->clock.seeds, seeds + 1); // drawn afresh at every load
    QVERIFY(window.Label2->text().startsWith(start));
}

void TestExitFlow::closingShowsTheExitWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("how");
    for (const char *window : {"frmMain", "frmDisplay"}) {
        for (const char *how : {"Exit button", "File menu", "Escape", "close command"})
            QTest::addRow("%s, %s", window, how) << window << how;
    }
    QTest::newRow("frmDisplay, Enter") << "frmDisplay"
                                       << "Enter";
}

void TestExitFlow::closingShowsTheExitWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, how);

    frmMain &entry = LoadedWindows::load<frmMain>();
    entry.show();
    MainForm *closing = &entry;
    if (window == u"frmDisplay") {
        entry.txtName->setText(u"ANNA"_s);
        entry.cmdNext->click();
        closing = LoadedWindows::find<frmDisplay>();
        QCOMPARE(visibleWindows(), QStringList {window}); // the exit window exists, hidden
    }
    closing->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(closing));

    if (how == u"Exit button")
        QTest::mouseClick(closing->findChild<QPushButton *>(u"cmdExit"_s), Qt::LeftButton);
    else if (how == u"File menu")
        closing->findChild<QAction *>(u"mnuExit"_s)->trigger();
    else if (how == u"Escape")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    else if (how == u"Enter")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    else
        closing->windowHandle()->close(); // as the window manager's close button does

    QCOMPARE(visibleWindows(), QStringList {u"frmNagScreen2"_s});
    // The exit window takes the keyboard, on its Exit button: it asks the window manager for it,
    // as window managers that prevent focus stealing want.
    auto *exitWindow = LoadedWindows::find<frmNagScreen2>();
    QVERIFY(!exitWindow->testAttribute(Qt::WA_ShowWithoutActivating));
    QTRY_COMPARE(QApplication::activeWindow(), exitWindow);
    QCOMPARE(QApplication::focusWidget(), exitWindow->cmdClose);
    QVERIFY(!LoadedWindows::find<frmDisplay>());
    QCOMPARE(LoadedWindows::find<frmMain>() != nullptr, window == u"frmDisplay");
    QVERIFY(fake->process.ends.isEmpty());
    QVERIFY(fake->messages.shown.isEmpty() && fake->browser.opened.isEmpty());
}

void TestExitFlow::leavingEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QStringList>("closed"); // in order
    QTest::newRow("Exit button") << "Exit button" << QStringList {"frmMain", "frmNagScreen2"};
    QTest::newRow("close command") << "close command" << QStringList {"frmNagScreen2", "frmMain"};
}

void TestExitFlow::leavingEndsTheProgram()
{
    QFETCH(QString, how);
    QFETCH(QStringList, closed);

    // A reading, then Exit on the result window: the entry window is loaded but hidden.
    CloseRecorder recorder;
    frmMain &entry = LoadedWindows::load<frmMain>();
    entry.installEventFilter(&recorder);
    entry.show();
    entry.txtName->setText(u"ANNA"_s);
    entry.cmdNext->click();
    LoadedWindows::find<frmDisplay>()->cmdExit->click();
    frmNagScreen2 &exitWindow = LoadedWindows::load<frmNagScreen2>();
    QVERIFY(showActive(exitWindow));
    exitWindow.installEventFilter(&recorder);
    bool entryShownAgain = false;
    connect(entry.windowHandle(), &QWindow::visibleChanged, this,
            [&](bool visible) { entryShownAgain |= visible; });

    if (how == u"Exit button")
        QTest::keyClick(exitWindow.cmdClose, Qt::Key_Space);
    else
        exitWindow.windowHandle()->close();

    QCOMPARE(fake->process.ends, QList<int> {0});
    QCOMPARE(recorder.closed, closed);
    QVERIFY(LoadedWindows::inLoadOrder().isEmpty());
    QVERIFY(!entryShownAgain);

    // In a new process, with nothing loaded, the end comes at once.
    resetProgram();
    fake->process.ends.clear();
    modHelp::EndProgram();
    QCOMPARE(fake->process.ends, QList<int> {0});
}

void TestExitFlow::links()
{
    frmNagScreen2 &window = LoadedWindows::load<frmNagScreen2>();
    QVERIFY(showActive(window));
    QTest::mouseClick(window.Check1, Qt::LeftButton);
    QTest::keyClick(window.Check1, Qt::Key_Space);
    QVERIFY(!window.Check1->isChecked());
    QTest::mouseClick(window.lblGoToHome, Qt::LeftButton);
    QVERIFY(followAsAssistiveTechnology(window.lblGoToHome));
    QVERIFY(!followAsAssistiveTechnology(window.Label3));
    QCOMPARE(fake->browser.opened,
             QStringList({kPage + u"home-page"_s, kPage + u"home-page"_s,
                          kPage + u"orrimsoftwares"_s, kPage + u"orrimsoftwares"_s}));
    QVERIFY(window.isVisible());
}

void TestExitFlow::enterClicksOnlyTheFocusedButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ends");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("opened");

    // The window has no default button: Enter in a box does nothing, and the typed text stays.
    for (const char *box : {"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"})
        QTest::addRow("%s", box) << box << "ann" << false << ""
                                 << "";
    QTest::newRow("submit button") << "cmdSubmit"
                                   << "" << false << "Please Enter Proper Email Address"
                                   << "";
    // The link drawn as a check box takes Space, as a check box does, not Enter.
    QTest::newRow("home page button") << "Check1"
                                      << "" << false << ""
                                      << "";
    QTest::newRow("Exit button") << "cmdClose"
                                 << "" << true << ""
                                 << "";
}

void TestExitFlow::enterClicksOnlyTheFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(QString, typed);
    QFETCH(bool, ends);
    QFETCH(QString, message);
    QFETCH(QString, opened);

    // Shown by the exit flow, as the user meets it.
    LoadedWindows::load<frmMain>().show();
    LoadedWindows::find<frmMain>()->cmdExit->click();
    auto *window = LoadedWindows::find<frmNagScreen2>();
    QTRY_COMPARE(QApplication::activeWindow(), window);
    auto *target = window->findChild<QWidget *>(focus);
    target->setFocus();
    if (auto *box = qobject_cast<QLineEdit *>(target))
        QTest::keyClicks(box, typed);
    const QString before =
        qobject_cast<QLineEdit *>(target) ? qobject_cast<QLineEdit *>(target)->text() : QString();

    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);

    QCOMPARE(!fake->process.ends.isEmpty(), ends);
    if (ends)
        return;
    QCOMPARE(visibleWindows(), QStringList {u"frmNagScreen2"_s});
    if (auto *box = qobject_cast<QLineEdit *>(target))
        QCOMPARE(box->text(), before);
    QStringList messages;
    for (const RecordedMessage &shown : fake->messages.shown)
        messages << shown.text;
    const QStringList twice = message.isEmpty() ? QStringList() : QStringList({message, message});
    QCOMPARE(messages, twice);
    const QStringList pages =
        opened.isEmpty() ? QStringList() : QStringList({kPage + opened, kPage + opened});
    QCOMPARE(fake->browser.opened, pages);
}

void TestExitFlow::messagesBelongToTheExitWindow_data()
{
    QTest::addColumn<QStringList>("boxes"); // name, e-mail, friend's name, friend's e-mail
    QTest::addColumn<QString>("message");
    // Each kind of check: the window's own and the request's.
    QTest::newRow("distinct addresses")
        << QStringList {"Ann", "a@b.c", "Bo", "a@b.c"} << "Please Enter Distinct Email Addresses";
    QTest::newRow("proper address")
        << QStringList {"Ann", "a@b", "Bo", "b@c.d"} << "Please Enter Proper Email Address";
    QTest::newRow("the request's name check")
        << QStringList {"Your Name", "a@b.c", "Bo", "b@c.d"} << "Please Enter Your Name";
    QTest::newRow("the request's friend's name check")
        << QStringList {"Ann", "a@b.c", " ", "b@c.d"} << "Please Enter Your Friend's Name";
}

void TestExitFlow::messagesBelongToTheExitWindow()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, message);

    frmNagScreen2 &window = LoadedWindows::load<frmNagScreen2>();
    QVERIFY(showActive(window));
    fillForm(window, boxes);
    QTest::mouseClick(window.cmdSubmit, Qt::LeftButton);
    QCOMPARE(fake->messages.shown.size(), 1);
    QCOMPARE(fake->messages.shown.first().text, message);
    QCOMPARE(fake->messages.shown.first().owner, u"frmNagScreen2"_s);
}

void TestExitFlow::realMessageBoxLiesAboveTheExitWindow()
{
    platform::install<platform::MessageBoxes>(nullptr); // the real boxes

    frmNagScreen2 &window = LoadedWindows::load<frmNagScreen2>();
    QVERIFY(showActive(window));
    window.txtEmail->setText(u"a@b.c"_s);
    window.txtFriendEmail->setText(u"b@c.d"_s);
    window.txtFriendName->setFocus();
    window.txtFriendName->setText(u"Bo"_s);

    QPointer<QMessageBox> seen;
    bool ownedAndOnTop = false;
    bool focusOnOk = false;
    // Answers the box once it is up, as the user would.
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow())
            return;
        answer.stop();
        seen = box;
        ownedAndOnTop = box->parentWidget() == &window &&
            box->windowHandle()->transientParent() == window.windowHandle() &&
            box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        focusOnOk = QApplication::focusWidget() == box->button(QMessageBox::Ok);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    });
    answer.start(10);
    QTest::mouseClick(window.cmdSubmit, Qt::LeftButton); // the name box still says "Your Name"
    QVERIFY(!answer.isActive());
    QVERIFY(seen.isNull() || !seen->isVisible());
    QVERIFY(ownedAndOnTop);
    QVERIFY(focusOnOk);
    // The keyboard goes back to the control that had it.
    QTRY_COMPARE(QApplication::activeWindow(), &window);
    QCOMPARE(QApplication::focusWidget(), window.cmdSubmit);
    QVERIFY(fake->browser.opened.isEmpty());
}

void TestExitFlow::placeholders_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("onFocus");
    QTest::addColumn<QString>("onLeaving");

    const auto row = [](const char *name, const char *box, const char *text, const char *onFocus,
                        const char *onLeaving) {
        QTest::newRow(name) << QString::fromUtf8(box) << QString::fromUtf8(text)
                            << QString::fromUtf8(onFocus) << QString::fromUtf8(onLeaving);
    };
    row("placeholder is cleared", "txtName", "Your Name", "", "Your Name");
    row("with blanks around", "txtEmail", "  Your Email Address ", "", "Your Email Address");
    row("other letter case stays", "txtFriendName", "friend's name", "friend's name",
        "friend's name");
    row("a tab is no blank", "txtName", "\tYour Name", "\tYour Name", "\tYour Name");
    row("only blanks", "txtFriendEmail", "   ", "   ", "Friend's Email Address");
    row("typed text stays", "txtName", "Ann", "Ann", "Ann");
    // The message box starts with a line break, so its text is no placeholder; once emptied it
    // gets the placeholder without one.
    row("message as loaded", "txtMessage", "Your Message\r\n", "Your Message\r\n",
        "Your Message\r\n");
    row("message emptied", "txtMessage", "", "", "Your Message");
}

void TestExitFlow::placeholders()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, onFocus);
    QFETCH(QString, onLeaving);

    auto &window = LoadedWindows::load<frmNagScreen2>();
    auto *line = window.findChild<QLineEdit *>(box);
    line->setText(text);
    focusChange(line, QEvent::FocusIn);
    QTRY_COMPARE(line->text(), onFocus);
    focusChange(line, QEvent::FocusOut);
    QCOMPARE(line->text(), onLeaving);

    // A placeholder goes just after the box takes the focus; a key typed at once, before that,
    // lands in the emptied box all the same.
    if (onFocus.isEmpty()) {
        line->setText(text);
        focusChange(line, QEvent::FocusIn);
        QTest::keyClick(line, Qt::Key_Z);
        QCoreApplication::processEvents();
        QCOMPARE(line->text(), u"z"_s);
    }
}

void TestExitFlow::noSpaceInEmailBoxes()
{
    frmNagScreen2 &window = LoadedWindows::load<frmNagScreen2>();
    QVERIFY(showActive(window));
    for (QLineEdit *box : {window.txtEmail, window.txtFriendEmail, window.txtName}) {
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, u"a b"_s);
        // After the message the keyboard is back in the same box.
        QTRY_COMPARE(QApplication::focusWidget(), box);
    }
    QCOMPARE(window.txtEmail->text(), u"ab"_s);
    QCOMPARE(window.txtFriendEmail->text(), u"ab"_s);
    QCOMPARE(window.txtName->text(), u"a b"_s);
    QCOMPARE(fake->messages.shown.size(), 2);
    for (const RecordedMessage &shown : fake->messages.shown) {
        QCOMPARE(shown.text, u"Email Address Cannot Contain Space"_s);
        QCOMPARE(shown.icon, platform::Icon::Critical);
    }
}

void TestExitFlow::submit_data()
{
    // The boxes: name, e-mail, friend's name, friend's e-mail; "-" keeps a box as it is.
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("message"); // the message box's text, "-" keeps
    QTest::addColumn<QString>("result"); // the message, or "sent"
    QTest::addColumn<QString>("email"); // the e-mail text kept, whatever the outcome

    const auto row = [](const char *name, const QStringList &boxes, const char *message,
                        const char *result, const char *email) {
        QTest::newRow(name) << boxes << QString::fromUtf8(message) << QString::fromUtf8(result)
                            << QString::fromUtf8(email);
    };
    const QStringList untouched = {"-", "-", "-", "-"};
    const QStringList good = {" Ann ", " ann@a.b ", "Bo", "bo@b.c"};
    row("untouched", untouched, "-", "Please Enter Proper Email Address", "Your Email Address");
    row("both e-mails empty", {"-", "", "-", ""}, "-", "Please Enter Distinct Email Addresses", "");
    row("same e-mail, blanks aside", {"-", "a@b.c", "-", " a@b.c "}, "-",
        "Please Enter Distinct Email Addresses", "a@b.c");
    row("no dot", {"-", "a@b", "-", "c@d.e"}, "-", "Please Enter Proper Email Address", "a@b");
    row("no at sign", {"-", "a@b.c", "-", "c.d"}, "-", "Please Enter Proper Email Address",
        "a@b.c");
    row("name still the placeholder", {"-", "A@b.c", "-", "a@b.c"}, "-", "Please Enter Your Name",
        "A@b.c");
    row("name of blanks", {"   ", "@.", "-", ".@"}, "-", "Please Enter Your Name", "@.");
    row("message emptied", good, "", "Please Enter Your Message", "ann@a.b");
    row("message is the placeholder", good, "Your Message", "Please Enter Your Message", "ann@a.b");
    row("friend's name missing", {"Ann", "a@b.c", "", "b@c.d"}, "-",
        "Please Enter Your Friend's Name", "a@b.c");
    row("all there", good, "-", "sent", "ann@a.b");
}

void TestExitFlow::submit()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, message);
    QFETCH(QString, result);
    QFETCH(QString, email);

    frmNagScreen2 &window = LoadedWindows::load<frmNagScreen2>();
    QVERIFY(showActive(window));
    fillForm(window, boxes);
    if (message != u"-")
        window.txtMessage->setText(message);

    for (int press = 1; press <= 2; ++press)
        QTest::mouseClick(window.cmdSubmit, Qt::LeftButton);

    // The trimmed texts are kept whatever the outcome; the boxes keep theirs.
    QCOMPARE(modTellAFriend::strTafEmail, email);
    QCOMPARE(window.txtName->text(), boxes[0] == u"-" ? u"Your Name"_s : boxes[0]);
    if (result != u"sent") {
        QCOMPARE(fake->messages.shown.size(), 2);
        QCOMPARE(fake->messages.shown.first().text, result);
        QCOMPARE(fake->messages.shown.first().icon, platform::Icon::Critical);
        QCOMPARE(fake->messages.shown.first().title, u"Skyrand"_s);
        QVERIFY(fake->browser.opened.isEmpty());
        return;
    }
    QVERIFY(fake->messages.shown.isEmpty());
    const QString expected = requests().value(u"plain"_s).address;
    QCOMPARE(fake->browser.opened, QStringList({expected, expected}));
    QCOMPARE(modTellAFriend::strTafURL, expected);
}

void TestExitFlow::requestAddressesAsWrittenDown()
{
    for (const Request &request : requests())
        QCOMPARE(modTellAFriend::referAFriendAddress({request.texts[0], request.texts[1],
                                                      u"Your Message\r\n"_s, request.texts[2],
                                                      request.texts[3]}),
                 request.address);
}

void TestExitFlow::requestAddressCarriesTextsIntact_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("plain") << QStringList {"Ann", "a@b.c", "Hi", "Bo", "b@c.d"};
    QTest::newRow("parameter injection")
        << QStringList {"Ann&taf2=evil", "a@b.c&page=x", "x=y;z", "B#o", "b+c@d.e"};
    QTest::newRow("blanks and line breaks")
        << QStringList {"Ann Smith", "a@b.c", "Your Message\r\n", "\tBo\n", " "};
    QTest::newRow("beyond ASCII") << QStringList {QString::fromUtf8("Zoë ÄÖÜ"), "a@b.c",
                                                  QString::fromUtf8("こんにちは 😀"), "%41%", ""};
}

void TestExitFlow::requestAddressCarriesTextsIntact()
{
    QFETCH(QStringList, texts);
    const QString address =
        modTellAFriend::referAFriendAddress({texts[0], texts[1], texts[2], texts[3], texts[4]});

    const QUrl url(address, QUrl::StrictMode);
    QVERIFY(url.isValid());
    QCOMPARE(url.toString(QUrl::FullyEncoded), address);
    QCOMPARE(url.adjusted(QUrl::RemoveQuery).toString(),
             u"https://www.orrimsoftwares.com/skyrand/ssd.php"_s);
    QList<QPair<QString, QString>> expected = {{"page", "qvot-refer-a-friend"}};
    for (int i = 0; i < 5; ++i)
        expected.append(qMakePair(u"taf"_s + QString::number(i + 1), texts[i]));
    expected.append(qMakePair(u"taf6"_s, u"https://www.orrimsoftwares.com/skyrand/"_s));
    QCOMPARE(parameters(address), expected);
}

QTEST_MAIN(TestExitFlow)
#include "tst_exitflow.moc"
