// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// The entry and result windows driven with real key and mouse events on the offscreen platform.
#include "fakeplatform.h"

#include "platform/controls.h"
#include "reading/frmDisplay.h"
#include "reading/frmMain.h"
#include "reading/modPlanetSign.h"
#include "referral/frmNagScreen2.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>

namespace {

// The interpretation texts as the user reads them, spelled out here rather than taken from the
// program: a changed word or line break shows up as a failure.
const QString kAries = QStringLiteral(
    "This signifies chaos and confusion. This has an effect based on position of different "
    "planets in your birth chart. The transformation can be good or bad. This has an effect on "
    "sex and occult. Good time to quit your addictions. This is the right time to understand "
    "your inner self and attain spiritual satisfaction. Be careful not to be greedy. \r\n\r\n"
    "This may also be a time for destruction if not controlled. Social cooperation is necessary "
    "for people to come out unhurt. Time for reorganization on a global scale.");
const QString kPisces = QStringLiteral(
    "You will be very idealistic by nature. You will share your ideas with others and strive for "
    "profitable partnerships. People will come together for a common cause. Industrialization "
    "will be booming. Your romantic life may improve. You will be emotionally sensitive.");
const QString kNeutral = QStringLiteral(
    "This is an idealistic combination and you shall be able to approach issues with a neutral "
    "attitude. You will have a sense of vision accompanied by imagination and innovativeness. You "
    "have a humane nature. But be careful not to make excuses when you are needed.");

void choose(frmMain &entry, const QString &name, int day, int month, int year)
{
    entry.txtName->setText(name);
    entry.cboDate->setCurrentIndex(day - 1);
    entry.cboMonth->setCurrentIndex(month - 1);
    entry.cboYear->setCurrentIndex(year - 1900);
}

} // namespace

class TestReading : public FakePlatformTest
{
    Q_OBJECT

private slots:
    void entryWindowAsLoaded();
    void focusAndTabOrder();
    void validation_data();
    void validation();
    void nameKeyFilter_data();
    void nameKeyFilter();
    void keysWithControlCodes_data();
    void keysWithControlCodes();
    void enterAndEscapeClickExit_data();
    void enterAndEscapeClickExit();
    void enterAndSpaceOnTheButtonRead();
    void readingFillsAFreshResultWindow_data();
    void readingFillsAFreshResultWindow();
    void backKeepsTheInput();
    void backKeepsThePosition();
    void menuReadingBehavesAsTheButton();
    void undecidedReadingKeepsTheSign();
};

void TestReading::entryWindowAsLoaded()
{
    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));

    // Lists in calendar order, the first item of each selected.
    QCOMPARE(entry.cboDate->count(), 31);
    QCOMPARE(entry.cboDate->itemText(30), QStringLiteral("31"));
    QCOMPARE(entry.cboMonth->count(), 12);
    QCOMPARE(entry.cboMonth->itemText(8), QStringLiteral("September"));
    QCOMPARE(entry.cboYear->count(), 141);
    QCOMPARE(entry.cboYear->itemText(140), QStringLiteral("2040"));
    QCOMPARE(entry.cboDate->currentText() + entry.cboMonth->currentText() +
                 entry.cboYear->currentText(),
             QStringLiteral("1January1900"));
    QVERIFY(entry.txtName->text().isEmpty());

    // Captions, by design name.
    const QList<QPair<const char *, QString>> captions = {
        {"cmdNext", QStringLiteral("Get My &Eris Astrology Sign")},
        {"cmdExit", QStringLiteral("&Exit")},
        {"Label1", QStringLiteral("Name")},
        {"Label2", QStringLiteral("Date Of Birth")},
        {"Label5", QStringLiteral("Date")},
        {"Label6", QStringLiteral("Year")},
        {"Label7", QStringLiteral("Month")},
    };
    for (const auto &[name, caption] : captions) {
        auto *control = entry.findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(control, name);
        const QVariant text = control->property("text");
        QCOMPARE(text.toString(), caption);
    }
    QCOMPARE(entry.Label61->text(),
             QStringLiteral("The Most Popular Online Orrim Discussion Board. Best Resource For "
                            "Everything Orrim. Visit www.orrimsoftwares.com Now"));

    // The co-brand offer keeps "&&" as stored and shows one "&"; the full-brand offer is in front.
    QVERIFY(entry.lblCobrand->caption().contains(QStringLiteral("name &&  link here.")));
    QVERIFY(entry.lblCobrand->text().contains(QStringLiteral("name &  link here.")));
    QCOMPARE(entry.lblCobrand->geometry(), entry.lblFullBrand->geometry());
    QCOMPARE(entry.Frame5->childAt(entry.lblFullBrand->geometry().center()), entry.lblFullBrand);

    // Menu bar in the design's order; "Make Money Online" is not offered.
    QStringList menu;
    for (QAction *action : entry.menuBar->actions())
        menu << action->text() + (action->isVisible() ? QString() : QStringLiteral(" (hidden)"));
    QCOMPARE(menu, QStringList({"&File", "&Help", "&Donate", "Make Money &Online (hidden)"}));
    QStringList help;
    for (QAction *action : entry.mnuHelp->actions())
        help << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(help,
             QStringList({"&Online Help", "&Visit Us Online", "-", "Check for Software &Update",
                          "-", "&About Software"}));

    // Fixed size, no minimise or maximise button.
    QCOMPARE(entry.minimumSize(), entry.maximumSize());
    QVERIFY(!(entry.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
}

void TestReading::focusAndTabOrder()
{
    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    QCOMPARE(QApplication::focusWidget(), entry.txtName);
    const QList<QWidget *> order = {entry.cboDate, entry.cboMonth, entry.cboYear,
                                    entry.cmdNext, entry.cmdExit,  entry.txtName};
    for (QWidget *next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    QCOMPARE(entry.txtName->accessibleName(), QStringLiteral("Name"));
    QCOMPARE(entry.Label6->buddy(), entry.cboYear);
}

void TestReading::validation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("message"); // empty: accepted

    const QString february = QStringLiteral("Please Enter Correct Date Or Month!");
    const QString thirty = QStringLiteral("Please Enter Correct Date Or Month !");
    QTest::newRow("empty name") << "" << 31 << 4 << 1950 << "Please Enter Your Name";
    QTest::newRow("blank name passes") << " " << 1 << 1 << 1950 << "";
    QTest::newRow("29 Feb 1900, no leap year") << "A" << 29 << 2 << 1900 << february;
    QTest::newRow("29 Feb 1901") << "A" << 29 << 2 << 1901 << february;
    QTest::newRow("29 Feb 1904") << "A" << 29 << 2 << 1904 << "";
    QTest::newRow("29 Feb 2000") << "A" << 29 << 2 << 2000 << "";
    QTest::newRow("30 Feb 2000") << "A" << 30 << 2 << 2000 << february;
    QTest::newRow("31 Feb 1999") << "A" << 31 << 2 << 1999 << february;
    QTest::newRow("28 Feb 1901") << "A" << 28 << 2 << 1901 << "";
    for (int month : {4, 6, 9, 11}) {
        QTest::addRow("31 of month %d", month) << "A" << 31 << month << 1950 << thirty;
        QTest::addRow("30 of month %d", month) << "A" << 30 << month << 1950 << "";
    }
    for (int month : {1, 3, 5, 7, 8, 10, 12})
        QTest::addRow("31 of month %d", month) << "A" << 31 << month << 1950 << "";
}

void TestReading::validation()
{
    QFETCH(QString, name);
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(QString, message);

    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    choose(entry, name, day, month, year);
    entry.cmdNext->setFocus();
    QTest::keyClick(entry.cmdNext, Qt::Key_Space);

    if (message.isEmpty()) {
        QVERIFY(fake->messages.shown.isEmpty());
        QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmDisplay")});
        return;
    }
    QCOMPARE(fake->messages.shown.size(), 1);
    const RecordedMessage &shown = fake->messages.shown.first();
    QCOMPARE(shown.text, message);
    QCOMPARE(shown.title, QStringLiteral("Skyrand"));
    QCOMPARE(shown.icon, platform::Icon::Information);
    QCOMPARE(shown.buttons, platform::Buttons::Ok);
    QVERIFY(!LoadedWindows::find<frmDisplay>());
    QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmMain")});
    // The window gets the keyboard back; only a missing name moves it, into the name box.
    QTRY_COMPARE(QApplication::activeWindow(), &entry);
    QWidget *expected = name.isEmpty() ? static_cast<QWidget *>(entry.txtName) : entry.cmdNext;
    QCOMPARE(QApplication::focusWidget(), expected);
}

void TestReading::nameKeyFilter_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("messages");

    QTest::newRow("letters become capitals, a digit is refused")
        << QList<int> {Qt::Key_A, Qt::Key_B, Qt::Key_1, Qt::Key_C} << "ABC" << 1;
    QTest::newRow("space and backspace pass")
        << QList<int> {Qt::Key_A, Qt::Key_Space, Qt::Key_B, Qt::Key_Backspace} << "A " << 0;
    QTest::newRow("keys that insert nothing pass")
        << QList<int> {Qt::Key_A,   Qt::Key_B,     Qt::Key_Left,  Qt::Key_Home, Qt::Key_Delete,
                       Qt::Key_End, Qt::Key_Shift, Qt::Key_Right, Qt::Key_C}
        << "BC" << 0;
    QTest::newRow("punctuation, each once")
        << QList<int> {Qt::Key_Period, Qt::Key_Minus, Qt::Key_Apostrophe} << "" << 3;
}

void TestReading::nameKeyFilter()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, text);
    QFETCH(int, messages);

    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    for (int key : keys)
        QTest::keyClick(entry.txtName, static_cast<Qt::Key>(key));
    QCOMPARE(entry.txtName->text(), text);
    QCOMPARE(fake->messages.shown.size(), messages);
    for (const RecordedMessage &shown : fake->messages.shown)
        QCOMPARE(shown.text, QStringLiteral("Please Enter only Letters"));

    // A character beyond the plain letters, as a key with a text of its own.
    QTest::sendKeyEvent(QTest::Click, entry.txtName, Qt::Key_Eacute, QStringLiteral("é"),
                        Qt::NoModifier);
    QCOMPARE(entry.txtName->text(), text);
    QCOMPARE(fake->messages.shown.size(), messages + 1);
}

void TestReading::keysWithControlCodes_data()
{
    // Keys as the window system delivers them: the text is what the key would type.
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name"); // after the key, from "AB" with the cursor at its end
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("messages");

    const auto row = [](const char *name, int key, int modifiers, const char *text,
                        const char *after, const char *focus, int messages) {
        QTest::newRow(name) << key << modifiers << QString::fromLatin1(text)
                            << QString::fromLatin1(after) << QString::fromLatin1(focus) << messages;
    };
    const int ctrl = Qt::ControlModifier;
    row("Ctrl+A does not select", Qt::Key_A, ctrl, "\x01", "AB", "txtName", 1);
    row("Ctrl+V does not paste", Qt::Key_V, ctrl, "\x16", "AB", "txtName", 1);
    row("Ctrl+Z does not undo", Qt::Key_Z, ctrl, "\x1a", "AB", "txtName", 1);
    row("Ctrl+I types a tab", Qt::Key_I, ctrl, "\t", "AB", "txtName", 1);
    row("Ctrl+H types Backspace", Qt::Key_H, ctrl, "\b", "AB", "txtName", 0);
    // These keys carry control codes too, but type nothing.
    row("Tab moves on", Qt::Key_Tab, 0, "\t", "AB", "cboDate", 0);
    row("Shift+Tab moves back", Qt::Key_Backtab, Qt::ShiftModifier, "\t", "AB", "cmdExit", 0);
    row("Delete at the end", Qt::Key_Delete, 0, "\x7f", "AB", "txtName", 0);
    row("Backspace", Qt::Key_Backspace, 0, "\b", "A", "txtName", 0);
}

void TestReading::keysWithControlCodes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, name);
    QFETCH(QString, focus);
    QFETCH(int, messages);

    QApplication::clipboard()->setText(QStringLiteral("123"));
    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    QTest::keyClicks(entry.txtName, QStringLiteral("ab"));
    QTest::sendKeyEvent(QTest::Click, entry.txtName, static_cast<Qt::Key>(key), text,
                        Qt::KeyboardModifiers(modifiers));
    QCOMPARE(entry.txtName->text(), name);
    QTRY_VERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(fake->messages.shown.size(), messages);
    if (messages)
        QCOMPARE(fake->messages.shown.first().text, QStringLiteral("Please Enter only Letters"));
    QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmMain")});
}

void TestReading::enterAndEscapeClickExit_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("Enter in the name box") << "txtName" << int(Qt::Key_Return);
    QTest::newRow("Enter in a list") << "cboMonth" << int(Qt::Key_Enter);
    QTest::newRow("Escape in the name box") << "txtName" << int(Qt::Key_Escape);
    QTest::newRow("Escape on the reading button") << "cmdNext" << int(Qt::Key_Escape);
}

void TestReading::enterAndEscapeClickExit()
{
    QFETCH(QString, focus);
    QFETCH(int, key);

    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    entry.txtName->setText(QStringLiteral("ANNA"));
    auto *target = entry.findChild<QWidget *>(focus);
    target->setFocus();
    QTest::keyClick(target, static_cast<Qt::Key>(key));

    QVERIFY(fake->messages.shown.isEmpty());
    QVERIFY(!LoadedWindows::find<frmMain>()); // closed, not just hidden
    QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmNagScreen2")});
}

void TestReading::enterAndSpaceOnTheButtonRead()
{
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
        frmMain &entry = LoadedWindows::load<frmMain>();
        QVERIFY(showActive(entry));
        entry.txtName->setText(QStringLiteral("ANNA"));
        entry.cmdNext->setFocus();
        QTest::keyClick(entry.cmdNext, key);
        QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmDisplay")});
        resetProgram();
    }
}

void TestReading::readingFillsAFreshResultWindow_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("description");
    QTest::newRow("1 January 1950") << 1 << 1 << 1950 << "Aries" << kAries;
    QTest::newRow("1 January 1900") << 1 << 1 << 1900 << "Pisces" << kPisces;
    QTest::newRow("4 June 1922") << 4 << 6 << 1922 << "Aries" << kAries;
}

void TestReading::readingFillsAFreshResultWindow()
{
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(QString, sign);
    QFETCH(QString, description);

    // What a result window holds before anyone fills it.
    {
        frmDisplay fresh;
        QCOMPARE(fresh.lblXenaSign->text(), QStringLiteral("lblSexualitySign"));
        QCOMPARE(fresh.lblSignDesc->text(), kNeutral);
    }

    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    choose(entry, QStringLiteral("ANNA"), day, month, year);
    QTest::mouseClick(entry.cmdNext, Qt::LeftButton);

    frmDisplay *display = LoadedWindows::find<frmDisplay>();
    QVERIFY(display);
    QVERIFY(QTest::qWaitForWindowActive(display));
    QCOMPARE(display->lblXenaSign->text(), sign);
    QCOMPARE(display->lblSignDesc->text(), description);
    QCOMPARE(QApplication::focusWidget(), display->cmdExit);
    QCOMPARE(display->Frame5->childAt(display->lblCobrand->geometry().center()),
             display->lblCobrand);
    // The exit window exists from the first reading on, hidden.
    QVERIFY(LoadedWindows::find<frmNagScreen2>());
    QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmDisplay")});
}

void TestReading::backKeepsTheInput()
{
    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    choose(entry, QStringLiteral("ANNA"), 22, 7, 1922);
    QTest::mouseClick(entry.cmdNext, Qt::LeftButton);
    QPointer<frmDisplay> first = LoadedWindows::find<frmDisplay>();
    QCOMPARE(first->lblXenaSign->text(), QStringLiteral("Pisces"));
    first->lblSignDesc->setText(QStringLiteral("left over"));

    QTest::mouseClick(first->cmdBack, Qt::LeftButton);
    QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmMain")});
    QVERIFY(!LoadedWindows::find<frmDisplay>());
    QCOMPARE(entry.txtName->text(), QStringLiteral("ANNA"));
    QCOMPARE(entry.cboDate->currentText() + entry.cboMonth->currentText() +
                 entry.cboYear->currentText(),
             QStringLiteral("22July1922"));

    // The File menu's Back does the same; a second reading starts from a fresh window.
    QTest::mouseClick(entry.cmdNext, Qt::LeftButton);
    frmDisplay *second = LoadedWindows::find<frmDisplay>();
    QVERIFY(second && second != first);
    QCOMPARE(second->lblSignDesc->text(), kPisces);
    second->mnuFileBack->trigger();
    QCOMPARE(visibleWindows(), QStringList {QStringLiteral("frmMain")});
}

void TestReading::backKeepsThePosition()
{
    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    const QRect screen = entry.screen()->availableGeometry();
    QVERIFY(qAbs(entry.frameGeometry().center().x() - screen.center().x()) <= 1);

    // Moved as the window manager moves it: the window is told, the program moves nothing.
    const QPoint moved = screen.topLeft() + QPoint(37, 41);
    entry.windowHandle()->setFramePosition(moved);
    QTRY_COMPARE(entry.frameGeometry().topLeft(), moved);

    entry.txtName->setText(QStringLiteral("ANNA"));
    QTest::mouseClick(entry.cmdNext, Qt::LeftButton);
    frmDisplay *display = LoadedWindows::find<frmDisplay>();
    QVERIFY(qAbs(display->frameGeometry().center().x() - screen.center().x()) <= 1);
    QTest::mouseClick(display->cmdBack, Qt::LeftButton);
    QCOMPARE(entry.frameGeometry().topLeft(), moved);
    QVERIFY(entry.isVisible());
}

void TestReading::menuReadingBehavesAsTheButton()
{
    frmMain &entry = LoadedWindows::load<frmMain>();
    QVERIFY(showActive(entry));
    entry.mnuFindSexualitySign->trigger();
    QCOMPARE(fake->messages.shown.size(), 1);
    QCOMPARE(fake->messages.shown.first().text, QStringLiteral("Please Enter Your Name"));

    // Through the keyboard, once the window has it back: Alt+F opens the File menu, E chooses
    // the reading.
    QTRY_COMPARE(QApplication::activeWindow(), &entry);
    entry.txtName->setText(QStringLiteral("ANNA"));
    QTest::keyClick(&entry, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(entry.mnuFile->isVisible());
    QTest::keyClick(entry.mnuFile, Qt::Key_E);
    QTRY_COMPARE(visibleWindows(), QStringList {QStringLiteral("frmDisplay")});
}

void TestReading::undecidedReadingKeepsTheSign()
{
    // A year outside the table, which the lists never offer, and a text that is no year decide
    // nothing: the last sign stays.
    QVERIFY(modPlanetSign::ErisSign.isEmpty());
    modPlanetSign::DetermineErisSign(u"2041", u"January", u"1");
    QVERIFY(modPlanetSign::ErisSign.isEmpty());
    QCOMPARE(modPlanetSign::DetermineErisSign(u"1950", u"January", u"1"), QStringLiteral("Aries"));
    modPlanetSign::DetermineErisSign(u"no year", u"January", u"1");
    QCOMPARE(modPlanetSign::ErisSign, QStringLiteral("Aries"));
}

QTEST_MAIN(TestReading)
#include "tst_reading.moc"
