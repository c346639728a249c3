// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "fakeplatform.h"

#include "platform/inisettingsstore.h"

#include <QFile>
#include <QLoggingCategory>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

using platform::IniSettingsStore;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

const QString kApplication = QStringLiteral("skyrand-test");
const QString kSection = QStringLiteral("Settings");
const QString kKey = QStringLiteral("Duration");

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestIniSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readAndSave_data();
    void readAndSave();
    void fileBrokenAfterTheReadIsLeftAlone();
    void unreadableFileIsReportedWhenAsked();

private:
    // A fresh folder per test: Qt keeps what it parsed of a file by its path.
    std::unique_ptr<QTemporaryDir> m_configHome;
    // The test changes where settings live; whatever happens, the environment is as it was after.
    decltype(temporaryEnvironment("", {})) m_previousConfigHome =
        temporaryEnvironment("XDG_CONFIG_HOME", qgetenv("XDG_CONFIG_HOME"));
};

void TestIniSettingsStore::init()
{
    m_configHome = std::make_unique<QTemporaryDir>();
    QVERIFY(m_configHome->isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_configHome->path()));
}

void TestIniSettingsStore::readAndSave_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file
    QTest::addColumn<std::optional<QString>>("entry"); // nullopt: the file cannot be read

    const auto readable = [](const char *text) { return std::optional(QString::fromUtf8(text)); };
    QTest::newRow("no file") << QByteArray() << readable("");
    QTest::newRow("empty file") << QByteArray("") << readable("");
    QTest::newRow("entry") << QByteArray("[Settings]\nDuration=2026-12-01\n")
                           << readable("2026-12-01");
    QTest::newRow("entry among others")
        << QByteArray("[General]\nsize=3\n\n[Settings]\nTheme=dark\nDuration=2026-12-01\n")
        << readable("2026-12-01");
    // A lookup on its own passes over the entry behind this section.
    QTest::newRow("entry behind an odd section name")
        << QByteArray("[Settings\\]\n[Settings]\nDuration=2026-12-01\n") << readable("2026-12-01");
    // A line without '=' is a format error, but only once its own section is parsed.
    QTest::newRow("bad line in another section")
        << QByteArray("[Settings]\nDuration=2026-12-01\n[Other]\nword\n")
        << std::optional<QString>();
    QTest::newRow("bad line in an earlier section")
        << QByteArray("[Other]\nword\n[Settings]\nDuration=2026-12-01\n")
        << std::optional<QString>();
    QTest::newRow("bad line after the entry")
        << QByteArray("[Settings]\nDuration=2026-12-01\nword\n") << std::optional<QString>();
}

void TestIniSettingsStore::readAndSave()
{
    QFETCH(QByteArray, file);
    QFETCH(std::optional<QString>, entry);

    const QString path = IniSettingsStore::path(kApplication);
    QCOMPARE(path, m_configHome->filePath(kApplication + QStringLiteral(".ini")));
    if (!file.isNull())
        QVERIFY(write(path, file));

    IniSettingsStore store;
    QCOMPARE(store.read(kApplication, kSection, kKey), entry);
    const bool saved = store.save(kApplication, kSection, kKey, QStringLiteral("2026-12-08"));
    if (!entry) {
        // What Qt cannot read is left as it was, never replaced by our one entry.
        QVERIFY(!saved);
        QCOMPARE(contents(path), file);
        return;
    }
    QVERIFY(saved);
    QCOMPARE(store.read(kApplication, kSection, kKey), std::optional(QStringLiteral("2026-12-08")));
}

// Another program may rewrite the file while the update reminder waits for its answer.
void TestIniSettingsStore::fileBrokenAfterTheReadIsLeftAlone()
{
    const QString path = IniSettingsStore::path(kApplication);
    QVERIFY(write(path, "[Settings]\nDuration=2026-12-01\n"));
    IniSettingsStore store;
    QCOMPARE(store.read(kApplication, kSection, kKey), std::optional(QStringLiteral("2026-12-01")));
    const QByteArray broken("[Other]\nword\n[Settings]\nDuration=2026-12-01\n");
    QVERIFY(write(path, broken));
    QVERIFY(!store.save(kApplication, kSection, kKey, QStringLiteral("2026-12-08")));
    QCoreApplication::processEvents();
    QCOMPARE(contents(path), broken);
}

namespace {

QStringList debugLines;

void recordDebugLine(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtDebugMsg)
        debugLines << QString::fromLatin1(context.category) + u": "_s + message;
}

} // namespace

void TestIniSettingsStore::unreadableFileIsReportedWhenAsked()
{
    const QString path = IniSettingsStore::path(kApplication);
    QVERIFY(write(path, "[Settings]\nDuration=2026-12-01\nword\n"));

    debugLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordDebugLine);
    const auto restore = qScopeGuard([previous] {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    });
    IniSettingsStore store;
    QCOMPARE(store.read(kApplication, kSection, kKey), std::optional<QString>());
    QCOMPARE(debugLines, QStringList()); // silent unless asked

    QLoggingCategory::setFilterRules(u"skyrand.*.debug=true"_s);
    QCOMPARE(store.read(kApplication, kSection, kKey), std::optional<QString>());
    QCOMPARE(debugLines.size(), 1);
    QVERIFY2(debugLines.first().startsWith(u"skyrand.settings: cannot parse, left alone: "_s) &&
                 debugLines.first().contains(path),
             qPrintable(debugLines.first()));
}

QTEST_GUILESS_MAIN(TestIniSettingsStore)
#include "tst_inisettingsstore.moc"
