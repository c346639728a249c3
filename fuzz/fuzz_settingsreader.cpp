// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
// Any bytes as the settings file: reading it never crashes, and the update reminder keeps its
// promises. An entry that names no yyyy-MM-dd date counts as absent (today is stored, nothing is
// asked); a date more than 14 days away brings the question and stores today; a nearer one leaves
// the file as it was; a file Qt cannot read costs the reminder and is never overwritten. Whatever
// else the file holds survives a save.

#include "app/settingsencoding.h"
#include "fuzztext.h"
#include "platform/inisettingsstore.h"
#include "platform/seams.h"
#include "weblinks/modHelp.h"
#include "weblinks/vendor.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

const QDate kToday(2026, 12, 8);

class Questions final : public platform::MessageBoxes
{
public:
    platform::Answer show(QWidget *, platform::Icon icon, platform::Buttons buttons,
                          const QString &title, const QString &text) override
    {
        ++asked;
        if (icon != platform::Icon::Information || buttons != platform::Buttons::YesNo ||
            title != QLatin1String("Skyrand") ||
            text !=
                QLatin1String("There maybe an update to this software available\rDo you want "
                              "to check for an update?"))
            fuzztext::fail("an unexpected message: " + text.toStdString());
        return platform::Answer::Yes;
    }
    int asked = 0;
};

class Pages final : public platform::Browser
{
public:
    void open(const QString &address) override { opened.append(address); }
    QStringList opened;
};

class FixedClock final : public platform::Clock
{
public:
    QDate today() override { return kToday; }
    void seedRandom() override { }
    double nextRandom() override { return 0.5; }
};

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// yyyy-MM-dd with ASCII digits, naming a day of the Gregorian calendar.
std::optional<QDate> isoDate(const QString &text)
{
    if (text.size() != 10 || text[4] != u'-' || text[7] != u'-')
        return std::nullopt;
    int fields[3] = {0, 0, 0};
    int field = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == 4 || i == 7) {
            ++field;
            continue;
        }
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        fields[field] = fields[field] * 10 + (text[i].unicode() - u'0');
    }
    const QDate date(fields[0], fields[1], fields[2]);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

bool isPlain(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() >= 32 && c.unicode() < 127; });
}

// Names such as "General/window.size": letters, digits, '_', '-', '.' and single slashes.
bool isOrdinaryKey(const QString &key)
{
    const QStringList parts = key.split(u'/');
    return std::all_of(parts.cbegin(), parts.cend(), [](const QString &part) {
        return !part.isEmpty() && std::all_of(part.cbegin(), part.cend(), [](QChar c) {
            return c.unicode() < 128 &&
                (c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.');
        });
    });
}

struct FileState
{
    QSettings::Status status;
    QMap<QString, QVariant> values;
};

// Qt keeps what it parsed of a file and skips a file whose size and time have not changed, so a
// look at the settings file itself would decide what the program then sees. The oracle parses a
// copy of the bytes under a name of its own instead.
FileState parse(const QByteArray &bytes, const QString &copyPath)
{
    {
        QFile copy(copyPath);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size())
            fuzztext::fail("cannot write a copy of the settings file");
    }
    // Qt parses sections only as lookups need them, and reports a section that does not parse
    // only then: the status counts once every entry has been read.
    QSettings file(copyPath, QSettings::IniFormat);
    FileState state {QSettings::NoError, {}};
    for (const QString &key : file.allKeys())
        state.values.insert(key, file.value(key));
    state.status = file.status();
    return state;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // The program's name addresses its settings file.
    static QCoreApplication application(*argc, *argv);
    static Questions questions;
    static Pages pages;
    static FixedClock clock;
    platform::install<platform::MessageBoxes>(&questions);
    platform::install<platform::Browser>(&pages);
    platform::install<platform::Clock>(&clock);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A fresh folder per input, so that no cached parse of an earlier file can stand in for it.
    QTemporaryDir configHome(QDir::tempPath() + QStringLiteral("/skyrand-fuzz-XXXXXX"));
    if (!configHome.isValid())
        fuzztext::fail("no temporary folder");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    const QString path = platform::IniSettingsStore::path(platform::programName());
    if (!path.startsWith(configHome.path() + u'/'))
        fuzztext::fail("the settings file lies outside XDG_CONFIG_HOME: " + path.toStdString());
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            fuzztext::fail("cannot write the settings file");
    }

    const QString key =
        QStringLiteral("Settings/") + modHelp::EncodeSetting(QStringLiteral("Duration"));
    const FileState before = parse(bytes, configHome.filePath(QStringLiteral("before.ini")));

    auto &questions = static_cast<Questions &>(platform::messageBoxes());
    auto &pages = static_cast<Pages &>(platform::browser());
    questions.asked = 0;
    pages.opened.clear();
    modHelp::CheckUpdateReminder();

    const QByteArray after = contents(path);
    const bool unchanged = after == bytes;
    if (before.status != QSettings::NoError) {
        if (questions.asked != 0 || !pages.opened.isEmpty())
            fuzztext::fail("a question about an unreadable file");
        if (!unchanged)
            fuzztext::fail("an unreadable file was overwritten: " + std::to_string(bytes.size()) +
                           " bytes became " + std::to_string(after.size()));
        return 0;
    }

    const auto last = isoDate(modHelp::DecodeSetting(before.values.value(key).toString()));
    const bool due = last && std::abs(kToday.daysTo(*last)) > 14;
    if (questions.asked != (due ? 1 : 0))
        fuzztext::fail(due ? "a reminder due was not asked" : "a question out of turn");
    if (pages.opened !=
        (due ? QStringList {vendor::pageAddress(u"download-web-page")} : QStringList {}))
        fuzztext::fail("the download page was opened out of turn");
    if (last && !due) {
        if (!unchanged)
            fuzztext::fail("a recent reminder date was rewritten");
        return 0;
    }

    // Today must now be stored, and the file's other entries kept.
    const FileState now = parse(after, configHome.filePath(QStringLiteral("after.ini")));
    if (now.status != QSettings::NoError) {
        // Qt writes some keys that it read from a damaged file (control characters, broken
        // escapes, empty names) in a form that its own reader then rejects. A file of ordinary
        // keys must still read after our save.
        const QStringList keys = before.values.keys();
        if (std::all_of(keys.cbegin(), keys.cend(),
                        [&](const QString &k) { return k == key || isOrdinaryKey(k); }))
            fuzztext::fail("the saved file no longer reads");
        return 0;
    }
    if (modHelp::DecodeSetting(now.values.value(key).toString()) != QLatin1String("2026-12-08"))
        fuzztext::fail("today was not stored: " +
                       fuzztext::codes(now.values.value(key).toString()));
    // Qt rewrites the whole file. It does not give every odd key or value back byte for byte
    // (control characters, lists of them, keys with empty parts or escapes), and those were never
    // ours; the entries that settings files really hold must survive.
    for (auto it = before.values.cbegin(); it != before.values.cend(); ++it) {
        if (it.key() == key || !isOrdinaryKey(it.key()) ||
            it.value().typeId() != QMetaType::QString || !isPlain(it.value().toString()))
            continue;
        if (now.values.value(it.key()) != it.value())
            fuzztext::fail("the save changed the entry " + fuzztext::codes(it.key()) + " from " +
                           fuzztext::codes(it.value().toString()) + " to " +
                           fuzztext::codes(now.values.value(it.key()).toString()));
    }
    return 0;
}
