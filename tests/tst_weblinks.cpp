// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Every control that opens a vendor page, driven by real mouse and key events, and the about
// window.
#include "fakeplatform.h"

#include "platform/controls.h"
#include "reading/frmDisplay.h"
#include "reading/frmMain.h"
#include "weblinks/frmAbout.h"
#include "weblinks/modHelp.h"

#include <QAccessible>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>

namespace {

const QString kPage = QStringLiteral("https://www.orrimsoftwares.com/skyrand/ssd.php?page=");

MainForm &loaded(const QString &window)
{
    if (window == u"frmMain")
        return LoadedWindows::load<frmMain>();
    return LoadedWindows::load<frmDisplay>();
}

// Clicks a link label after bringing it to the front, as the user sees it; false when it cannot.
[[nodiscard]] bool clickLabel(MainForm &form, const QString &name)
{
    auto *label = form.findChild<CaptionLabel *>(name);
    if (!label) {
        qWarning("no label %s", qPrintable(name));
        return false;
    }
    label->raise();
    if (label->parentWidget()->childAt(label->geometry().center()) != label) {
        qWarning("%s is not in front", qPrintable(name));
        return false;
    }
    QTest::mouseClick(label, Qt::LeftButton);
    return true;
}

// Chooses a menu entry with the keyboard: Alt plus the menu's letter, then the entry's letter;
// false when the menu does not open.
[[nodiscard]] bool chooseMenu(MainForm &form, const QString &keys)
{
    QTest::keyClick(&form, keys[0].toLatin1(), Qt::AltModifier);
    if (keys.size() == 1)
        return true;
    QMenu *menu = nullptr;
    if (!QTest::qWaitFor(
            [&] { return (menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())); })) {
        qWarning("the menu of %c did not open", keys[0].toLatin1());
        return false;
    }
    QTest::keyClick(menu, keys[1].toLatin1());
    return true;
}

// Runs `act` on the about window as soon as it is up and waiting for the user.
void whenAboutIsOpen(QObject *context, std::function<void(frmAbout *)> act)
{
    auto *poll = new QTimer(context);
    QObject::connect(poll, &QTimer::timeout, context, [poll, act] {
        if (auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            act(about);
        }
    });
    poll->start(10);
}

} // namespace

using Launcher = void (*)();
Q_DECLARE_METATYPE(Launcher)

class TestWebLinks : public FakePlatformTest
{
    Q_OBJECT

private slots:
    void pageAddresses_data();
    void pageAddresses();
    void linksOpenTheirPage_data();
    void linksOpenTheirPage();
    void aboutWindow();

private:
    void checkAbout(frmAbout *about, MainForm &opener);
};

void TestWebLinks::pageAddresses_data()
{
    QTest::addColumn<Launcher>("launcher");
    QTest::addColumn<QString>("key");
    QTest::newRow("softwares") << Launcher(&modHelp::OpenSoftwaresPage) << "orrimsoftwares";
    QTest::newRow("donate") << Launcher(&modHelp::OpenDonatePage) << "donate";
    QTest::newRow("help") << Launcher(&modHelp::OpenHelpPage) << "help-web-page";
    QTest::newRow("fully branded") << Launcher(&modHelp::OpenFullyBrandedPage) << "fully-branded";
    QTest::newRow("co-brand") << Launcher(&modHelp::OpenCoBrandPage) << "co-brand";
    QTest::newRow("home") << Launcher(&modHelp::OpenHomePage) << "home-page";
    QTest::newRow("download") << Launcher(&modHelp::OpenDownloadPage) << "download-web-page";
}

void TestWebLinks::pageAddresses()
{
    QFETCH(Launcher, launcher);
    QFETCH(QString, key);
    launcher();
    launcher();
    QCOMPARE(fake->browser.opened, QStringList({kPage + key, kPage + key}));
    // Qt hands a URL on to xdg-open in its encoded form: that must be the address unchanged.
    const QByteArray bytes = fake->browser.opened.first().toUtf8();
    QCOMPARE(QUrl::fromEncoded(bytes, QUrl::StrictMode).toEncoded(), bytes);
}

void TestWebLinks::linksOpenTheirPage_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control"); // a label's name, or "menu:" and the keys
    QTest::addColumn<QString>("key");

    for (const char *window : {"frmMain", "frmDisplay"}) {
        const auto row = [window](const char *control, const char *key) {
            QTest::addRow("%s %s", window, control) << window << control << key;
        };
        row("Label61", "home-page");
        row("lblCobrand", "co-brand");
        row("lblFullBrand", "fully-branded");
        // Followed by a screen reader: the hidden offer too, since it stays in the tree.
        row("reader:Label61", "home-page");
        row("reader:lblCobrand", "co-brand");
        row("reader:lblFullBrand", "fully-branded");
        row("menu:HO", "help-web-page");
        row("menu:HV", "home-page");
        row("menu:D", "donate");
    }
    QTest::newRow("frmMain update") << "frmMain"
                                    << "menu:HU"
                                    << "download-web-page";
    QTest::newRow("frmDisplay update") << "frmDisplay"
                                       << "menu:HC"
                                       << "download-web-page";
}

void TestWebLinks::linksOpenTheirPage()
{
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, key);

    MainForm &form = loaded(window);
    QVERIFY(showActive(form));
    for (int click = 1; click <= 2; ++click) {
        if (control.startsWith(u"menu:"))
            QVERIFY(chooseMenu(form, control.mid(5)));
        else if (control.startsWith(u"reader:"))
            QVERIFY(followAsAssistiveTechnology(form.findChild<QWidget *>(control.mid(7))));
        else
            QVERIFY(clickLabel(form, control));
        QTRY_COMPARE(fake->browser.opened.size(), click);
        QCOMPARE(fake->browser.opened.last(), kPage + key);
    }

    // The switched-off menu entry still has its action.
    auto *makeMoney = form.findChild<QAction *>(QStringLiteral("mnuMakeMoneyOnline"));
    QVERIFY(!makeMoney->isVisible());
    makeMoney->trigger();
    QCOMPARE(fake->browser.opened.last(), kPage + QStringLiteral("fully-branded"));
    QVERIFY(fake->messages.shown.isEmpty());
}

void TestWebLinks::checkAbout(frmAbout *about, MainForm &opener)
{
    QVERIFY(!about->windowIcon().isNull());
    QVERIFY(about->lblHomePage->font().bold() && about->lblHomePage->font().underline());
    QCOMPARE(about->lblHomePage->text(),
             QStringLiteral("Click here to visit https://www.orrimsoftwares.com"));
    QCOMPARE(about->cmdOK->text(), QStringLiteral("&OK"));
    // "OK" sits at the bottom right, below the line.
    QVERIFY(about->cmdOK->geometry().top() > about->Line2->geometry().bottom());
    QVERIFY(about->width() - about->cmdOK->geometry().right() < 20);

    // The opener takes no input meanwhile: a click on its offer goes nowhere.
    auto *offer = opener.findChild<CaptionLabel *>(QStringLiteral("lblFullBrand"));
    QTest::mouseClick(opener.windowHandle(), Qt::LeftButton, {},
                      offer->mapTo(&opener, offer->rect().center()));
    QVERIFY(fake->browser.opened.isEmpty());

    // The links leave the window open.
    QTest::mouseClick(about->lblHomePage, Qt::LeftButton);
    QTest::mouseClick(about->Label5, Qt::LeftButton);
    // So do they followed by a screen reader, and they read as links named by their text.
    QVERIFY(followAsAssistiveTechnology(about->lblHomePage));
    QVERIFY(followAsAssistiveTechnology(about->Label5));
    QCOMPARE(QAccessible::queryAccessibleInterface(about->Label5)->text(QAccessible::Name),
             QStringLiteral("Click here for more details"));
    const QString home = kPage + QStringLiteral("home-page");
    const QString branded = kPage + QStringLiteral("fully-branded");
    QCOMPARE(fake->browser.opened, QStringList({home, branded, home, branded}));
    QVERIFY(about->isVisible());
    // A plain label is no link.
    QVERIFY(!followAsAssistiveTechnology(about->Label1));
}

void TestWebLinks::aboutWindow()
{
    QStringList textsSeen;
    for (const char *window : {"frmMain", "frmDisplay", "frmMain"}) {
        MainForm &opener = loaded(QLatin1String(window));
        QVERIFY(showActive(opener));
        bool checked = false;
        whenAboutIsOpen(this, [&](frmAbout *about) {
            QString texts;
            for (QLabel *label : about->findChildren<QLabel *>())
                texts += label->objectName() + u'=' + label->text() + u'\n';
            textsSeen << texts;
            checkAbout(about, opener);
            checked = !QTest::currentTestFailed();
            QTest::keyClick(about->cmdOK, Qt::Key_Space); // closes it, failed or not
        });
        QVERIFY(chooseMenu(opener, QStringLiteral("HA")));
        QVERIFY(checked);
        QVERIFY(!LoadedWindows::find<frmAbout>());
        fake->browser.opened.clear();
        resetProgram();
    }
    QCOMPARE(textsSeen.size(), 3);
    QCOMPARE(textsSeen.count(textsSeen.first()), 3);
}

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
