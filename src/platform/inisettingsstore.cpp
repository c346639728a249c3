#include "platform/inisettingsstore.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

// QSettings parses an INI file section by section, when a lookup first needs one: its status
// reports only the sections parsed so far, and a lookup may even pass over the entry behind an
// oddly named section. Parsing the whole file first gives a status that speaks for the file and
// lookups that find what is there.
bool parsedWhole(QSettings &file)
{
    if (file.status() != QSettings::NoError)
        return false;
    file.allKeys();
    return file.status() == QSettings::NoError;
}

} // namespace

std::optional<QString> IniSettingsStore::read(const QString &application, const QString &section,
                                              const QString &key)
{
    const QString filePath = path(application);
    QSettings file(filePath, QSettings::IniFormat);
    if (!parsedWhole(file)) {
        m_unreadable.insert(filePath);
        return std::nullopt;
    }
    m_unreadable.remove(filePath);
    return file.value(section + u'/' + key).toString();
}

bool IniSettingsStore::save(const QString &application, const QString &section, const QString &key,
                            const QString &value)
{
    const QString filePath = path(application);
    // A file Qt cannot parse is left alone rather than replaced by our one entry.
    if (m_unreadable.contains(filePath))
        return false;
    QSettings file(filePath, QSettings::IniFormat);
    if (!parsedWhole(file))
        return false;
    if (QFileInfo(filePath).isDir())
        return false;
    // QSettings writes through a temporary file and renames it, so a crash or a full disk
    // leaves the previous file whole.
    file.setAtomicSyncRequired(true);
    file.setValue(section + u'/' + key, value);
    file.sync();
    return file.status() == QSettings::NoError;
}

QString IniSettingsStore::path(const QString &application)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
        application + QStringLiteral(".ini");
}

} // namespace platform
