// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/inisettingsstore.h"

#include "platform/logging.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace platform {

namespace {

// Every entry of a settings file, by "section/key".
using Entries = QMap<QString, QString>;

// QSettings keeps every file it has parsed in a process-wide cache and trusts it while the file's
// size and time look unchanged; it parses a section only when a lookup needs it and reports a bad
// one only then, and a lookup may pass over the entry behind an oddly named section; and it
// writes over a file it could not parse. Parsing all of a private copy of what is on disk now
// gives an answer that speaks for the file as it is: all its entries, or none when the file
// cannot be trusted.
std::optional<Entries> snapshot(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.exists() && !info.isSymLink())
        return Entries();
    // Whatever else stands in the file's place (a folder, a named pipe that would block the read
    // for good, a device) is not ours to read or replace.
    if (!info.isFile()) {
        qCDebug(lcSettings) << "not a file, left alone:" << filePath;
        return std::nullopt;
    }
    QFile file(filePath);
    // Ours holds one line; anything this large was not written by us.
    constexpr qint64 kLargestPlausible = 1 << 20;
    if (file.size() > kLargestPlausible) {
        qCDebug(lcSettings) << "too large to be ours, left alone:" << filePath << file.size()
                            << "bytes";
        return std::nullopt;
    }
    QTemporaryDir folder;
    QFile copy(folder.filePath(QStringLiteral("copy.ini")));
    if (!file.open(QIODevice::ReadOnly)) {
        qCDebug(lcSettings) << "cannot read" << filePath << ":" << file.errorString();
        return std::nullopt;
    }
    if (!folder.isValid() || !copy.open(QIODevice::WriteOnly) || copy.write(file.readAll()) < 0) {
        qCDebug(lcSettings) << "cannot copy" << filePath << "to look at it:" << copy.errorString();
        return std::nullopt;
    }
    copy.close();
    const QSettings settings(copy.fileName(), QSettings::IniFormat);
    // Parses every section, so that a bad one anywhere shows.
    settings.allKeys();
    if (settings.status() != QSettings::NoError) {
        qCDebug(lcSettings) << "cannot parse, left alone:" << filePath;
        return std::nullopt;
    }
    Entries entries;
    for (const QString &key : settings.allKeys())
        entries.insert(key, settings.value(key).toString());
    return entries;
}

} // namespace

std::optional<QString> IniSettingsStore::read(const QString &application, const QString &section,
                                              const QString &key)
{
    const std::optional<Entries> entries = snapshot(path(application));
    if (!entries)
        return std::nullopt;
    return entries->value(section + u'/' + key);
}

bool IniSettingsStore::save(const QString &application, const QString &section, const QString &key,
                            const QString &value)
{
    const QString filePath = path(application);
    // A file that cannot be read is left as it is rather than replaced by our one entry.
    if (!snapshot(filePath))
        return false;
    QSettings file(filePath, QSettings::IniFormat);
    // QSettings writes through a temporary file and renames it, so a crash or a full disk leaves
    // the previous file whole.
    file.setAtomicSyncRequired(true);
    file.setValue(section + u'/' + key, value);
    file.sync();
    if (file.status() != QSettings::NoError) {
        qCDebug(lcSettings) << "cannot save" << filePath;
        return false;
    }
    return true;
}

QString IniSettingsStore::path(const QString &application)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
        application + QStringLiteral(".ini");
}

} // namespace platform
