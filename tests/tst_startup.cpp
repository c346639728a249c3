// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Start-up: the single-instance guard, the update reminder and its stored date, the co-brand draw.
#include "fakeplatform.h"

#include "app/cobranddraw.h"
#include "app/settingsencoding.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "reading/frmMain.h"
#include "weblinks/modHelp.h"

#include <QDir>
#include <QJsonValue>
#include <QLineEdit>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

using modHelp::DecodeSetting;
using modHelp::EncodeSetting;

namespace {

const QString kDownloadPage =
    QStringLiteral("https://www.orrimsoftwares.com/skyrand/ssd.php?page=download-web-page");
const QString kQuestion = QStringLiteral(
    "There maybe an update to this software available\rDo you want to check for an update?");

QString codes(const QString &text)
{
    QStringList list;
    for (const QChar c : text)
        list << QString::number(c.unicode());
    return list.join(u' ');
}

QString entryKey()
{
    return platform::programName() + QStringLiteral("/Settings/") + EncodeSetting(u"Duration"_s);
}

} // namespace

class TestStartUp : public FakePlatformTest
{
    Q_OBJECT

private slots:
    void settingsEncoding_data();
    void settingsEncoding();
    void encodingRoundTrip();
    void reminder_data();
    void reminder();
    void secondInstanceIsRefused();
    void startUpShowsTheEntryWindow();
    void coBrandDraw_data();
    void coBrandDraw();
    void coBrandShare();
    void iniStoreKeepsTheEntryExactly();
    void lockFileGuard();
};

void TestStartUp::settingsEncoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded"); // as codes
    QTest::newRow("abc") << "abc"
                         << "182 183 184";
    QTest::newRow("a date") << "1/5/2024"
                            << "134 132 138 132 135 133 135 137";
    // Codes that would pass 255, and characters without a Latin-1 code, are left out.
    QTest::newRow("high Latin-1") << QString::fromUtf8("a\u00ab\u00ffb") << "182 183";
    QTest::newRow("beyond Latin-1") << QString::fromUtf8("\u20ac1\U0001F600") << "134";
}

void TestStartUp::settingsEncoding()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(codes(EncodeSetting(text)), encoded);
}

void TestStartUp::encodingRoundTrip()
{
    QString every;
    for (int code = 0; code <= 170; ++code)
        every.append(QChar(code));
    QCOMPARE(DecodeSetting(EncodeSetting(every)), every);
    // Decoding drops what has no code below 85 places down; nothing ever grows.
    QCOMPARE(codes(DecodeSetting(QString::fromUtf8("\u0054\u00b6\u20ac"))), u"97"_s);
}

void TestStartUp::reminder_data()
{
    QTest::addColumn<QString>("stored"); // decoded entry; "-" for none
    QTest::addColumn<int>("answer"); // 0 no question expected, else Yes/No
    QTest::addColumn<bool>("saved");

    const QDate today(2026, 12, 8);
    const auto daysAway = [&](int days) { return today.addDays(days).toString(Qt::ISODate); };
    QTest::newRow("first start") << "-" << 0 << true;
    QTest::newRow("14 days ago") << daysAway(-14) << 0 << false;
    QTest::newRow("14 days ahead") << daysAway(14) << 0 << false;
    QTest::newRow("today") << daysAway(0) << 0 << false;
    QTest::newRow("15 days ago, No") << daysAway(-15) << int(platform::Answer::No) << true;
    QTest::newRow("15 days ago, Yes") << daysAway(-15) << int(platform::Answer::Yes) << true;
    QTest::newRow("15 days ahead, No") << daysAway(15) << int(platform::Answer::No) << true;
    QTest::newRow("years ago, Yes") << "1999-01-31" << int(platform::Answer::Yes) << true;
    // Entries that name no date count as none: counting starts afresh from today.
    QTest::newRow("empty after decoding") << "" << 0 << true;
    QTest::newRow("garbage") << "garbage" << 0 << true;
    QTest::newRow("short date of some locale") << "1/5/2024" << 0 << true;
    QTest::newRow("two-digit year") << "24-01-05" << 0 << true;
    QTest::newRow("no such day") << "2026-02-30" << 0 << true;
    QTest::newRow("date with a tail") << "2026-11-01x" << 0 << true;
}

void TestStartUp::reminder()
{
    QFETCH(QString, stored);
    QFETCH(int, answer);
    QFETCH(bool, saved);

    fake->clock.date = QDate(2026, 12, 8);
    if (stored != u"-")
        fake->settings.entries.insert(entryKey(), EncodeSetting(stored));
    if (answer)
        fake->messages.answers.push_back(platform::Answer(answer));

    modHelp::CheckUpdateReminder();

    if (answer) {
        QCOMPARE(fake->messages.shown.size(), 1);
        const RecordedMessage &question = fake->messages.shown.first();
        QCOMPARE(question.text, kQuestion);
        QCOMPARE(question.title, u"Skyrand"_s);
        QCOMPARE(question.icon, platform::Icon::Information);
        QCOMPARE(question.buttons, platform::Buttons::YesNo);
    } else {
        QVERIFY(fake->messages.shown.isEmpty());
    }
    QCOMPARE(fake->settings.saves, saved ? 1 : 0);
    if (saved)
        QCOMPARE(DecodeSetting(fake->settings.entries.value(entryKey())), u"2026-12-08"_s);
    QCOMPARE(fake->browser.opened,
             answer == int(platform::Answer::Yes) ? QStringList {kDownloadPage} : QStringList());
}

void TestStartUp::secondInstanceIsRefused()
{
    fake->instance.running = true;
    StartUp();
    QCOMPARE(fake->messages.shown.size(), 1);
    const RecordedMessage &refusal = fake->messages.shown.first();
    QCOMPARE(refusal.text, u"Application is already running"_s);
    QCOMPARE(refusal.title, u"Skyrand"_s);
    QCOMPARE(refusal.icon, platform::Icon::Information);
    QCOMPARE(refusal.buttons, platform::Buttons::Ok);
    QCOMPARE(refusal.loadedWindows, 0);
    QCOMPARE(fake->process.ends, QList<int> {0});
    QVERIFY(LoadedWindows::inLoadOrder().isEmpty());
    QCOMPARE(fake->settings.reads + fake->settings.saves, 0);
}

void TestStartUp::startUpShowsTheEntryWindow()
{
    // A due reminder asks before the entry window exists; Yes opens the page first.
    fake->settings.entries.insert(entryKey(), EncodeSetting(u"2026-01-01"_s));
    fake->messages.answers.push_back(platform::Answer::Yes);
    StartUp();
    QCOMPARE(fake->clock.seeds, 1);
    QCOMPARE(fake->messages.shown.size(), 1);
    QCOMPARE(fake->messages.shown.first().loadedWindows, 0);
    QCOMPARE(fake->browser.opened, QStringList {kDownloadPage});
    QCOMPARE(fake->browser.loadedWindows, QList<int> {0});
    frmMain *entry = LoadedWindows::find<frmMain>();
    QVERIFY(entry && entry->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(entry));
    QCOMPARE(QApplication::focusWidget(), entry->txtName);
    QVERIFY(fake->process.ends.isEmpty());
    resetProgram();

    // A store that fails costs the reminder and nothing else.
    fake->messages.shown.clear();
    fake->settings.failing = true;
    StartUp();
    QVERIFY(fake->messages.shown.isEmpty());
    QVERIFY(LoadedWindows::find<frmMain>()->isVisible());

    // The menu's update entry opens the page without touching the stored date.
    const int reads = fake->settings.reads;
    LoadedWindows::find<frmMain>()->mnuUpdate->trigger();
    QCOMPARE(fake->browser.opened.last(), kDownloadPage);
    QCOMPARE(fake->settings.reads, reads);
}

void TestStartUp::coBrandDraw_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("front");
    QTest::newRow("0") << 0.0 << 1 << "lblCobrand";
    QTest::newRow("just below 1/12") << 1.0 / 12 - 1e-9 << 1 << "lblCobrand";
    QTest::newRow("0.25, a tie to even") << 0.25 << 2 << "lblFullBrand";
    QTest::newRow("0.4") << 0.4 << 3 << "lblCobrand";
    QTest::newRow("0.5") << 0.5 << 4 << "lblFullBrand";
    QTest::newRow("0.75, a tie to even") << 0.75 << 6 << "lblFullBrand";
    QTest::newRow("just above 11/12") << 11.0 / 12 + 1e-9 << 7 << "lblFullBrand";
    QTest::newRow("largest below 1") << std::nextafter(1.0, 0.0) << 7 << "lblFullBrand";
}

void TestStartUp::coBrandDraw()
{
    QFETCH(double, r);
    QFETCH(int, number);
    QFETCH(QString, front);

    QCOMPARE(intCoBrandRandomNumber, qint16(0));
    fake->clock.randoms = {r};
    StartUp();
    QCOMPARE(intCoBrandRandomNumber, qint16(number));
    frmMain *entry = LoadedWindows::find<frmMain>();
    QCOMPARE(entry->Frame5->childAt(entry->lblCobrand->geometry().center())->objectName(), front);
}

void TestStartUp::coBrandShare()
{
    QRandomGenerator random(20261208);
    constexpr int kDraws = 120000;
    int coBrand = 0;
    for (int i = 0; i < kDraws; ++i)
        coBrand += coBrandFront(coBrandNumber(random.generateDouble())) == CoBrandFront::CoBrand;
    QVERIFY2(qAbs(double(coBrand) / kDraws - 5.0 / 12) < 0.01,
             qPrintable(QString::number(coBrand)));
}

void TestStartUp::iniStoreKeepsTheEntryExactly()
{
    QTemporaryDir config;
    const auto environment =
        temporaryEnvironment("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    platform::install<platform::SettingsStore>(nullptr);
    const auto fakeAgain =
        qScopeGuard([this] { platform::install<platform::SettingsStore>(&fake->settings); });
    platform::SettingsStore &store = platform::settings();

    const QString key = EncodeSetting(u"Duration"_s);
    QCOMPARE(store.read(u"skyrand"_s, u"Settings"_s, key), std::optional<QString>(QString()));
    const QString value = EncodeSetting(u"2026-12-08"_s);
    QVERIFY(store.save(u"skyrand"_s, u"Settings"_s, key, value));
    QCOMPARE(store.read(u"skyrand"_s, u"Settings"_s, key), std::optional<QString>(value));
    QCOMPARE(QDir(config.path()).entryList(QDir::Files), QStringList {u"skyrand.ini"_s});
    // Byte for byte as tests/data has it, which the end-to-end tests seed and read.
    const QJsonObject data = testData("settings.json");
    QString date;
    for (const QChar c : u"2026-12-08"_s)
        date += data[u"date characters"][QString(c)].toString();
    QFile written(config.filePath(u"skyrand.ini"_s));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(),
             (data[u"section"].toString() + u'\n' + data[u"key"].toString() + u'=' + date + u'\n')
                 .toUtf8());
    // Another program name keeps its own file.
    QCOMPARE(store.read(u"foo"_s, u"Settings"_s, key), std::optional<QString>(QString()));

    // A file Qt cannot read is neither read nor replaced.
    const QString path = config.filePath(u"broken.ini"_s);
    const QByteArray garbage("\x01\x02 not a settings file\n[Sett");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(garbage);
    file.close();
    QCOMPARE(store.read(u"broken"_s, u"Settings"_s, key), std::nullopt);
    QVERIFY(!store.save(u"broken"_s, u"Settings"_s, key, value));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), garbage);
}

void TestStartUp::lockFileGuard()
{
    QTemporaryDir runtime;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto environment =
        temporaryEnvironment("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    platform::install<platform::InstanceGuard>(nullptr);
    const auto fakeAgain =
        qScopeGuard([this] { platform::install<platform::InstanceGuard>(&fake->instance); });
    platform::InstanceGuard &guard = platform::instanceGuard();
    const QString lockPath = runtime.filePath(u"guarded.lock"_s);

    // A lock left by a process that is gone is taken over.
    {
        QFile stale(lockPath);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("999999999\nguarded\n" + QSysInfo::machineHostName().toUtf8() + '\n');
    }
    QVERIFY(!guard.anotherInstanceRunning(u"guarded"_s));
    QLockFile other(lockPath);
    QVERIFY(!other.tryLock(0));
    guard.release();
    QVERIFY(other.tryLock(0));
    // Now the lock belongs to someone alive, however old it grows.
    QVERIFY(guard.anotherInstanceRunning(u"guarded"_s));
    other.unlock();
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
