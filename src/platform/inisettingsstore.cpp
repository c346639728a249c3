#include "platform/inisettingsstore.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

std::optional<QString> IniSettingsStore::read(const QString &application, const QString &section,
                                              const QString &key)
{
    QSettings file(path(application), QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
        return std::nullopt;
    return file.value(section + u'/' + key).toString();
}

bool IniSettingsStore::save(const QString &application, const QString &section, const QString &key,
                            const QString &value)
{
    const QString filePath = path(application);
    // A file Qt cannot parse is left alone rather than replaced by our one entry.
    QSettings file(filePath, QSettings::IniFormat);
    if (file.status() != QSettings::NoError)
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
