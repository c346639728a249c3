// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/inisettingsstore.h"

#include "platform/logging.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace platform {

namespace {

// Whether QSettings may open what stands at the file's place: nothing yet, or a file of ours.
bool mayOpen(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.exists() && !info.isSymLink())
        return true;
    // Anything else (a folder, a named pipe that would block the read for good, a device) is not
    // ours to read or replace.
    if (!info.isFile()) {
        qCDebug(lcSettings) << "not a file, left alone:" << filePath;
        return false;
    }
    // Ours holds one line; anything this large was not written by us.
    constexpr qint64 kLargestPlausible = 1 << 20;
    if (info.size() > kLargestPlausible) {
        qCDebug(lcSettings) << "too large to be ours, left alone:" << filePath << info.size()
                            << "bytes";
        return false;
    }
    return true;
}

} // namespace

IniSettingsStore::IniSettingsStore() = default;
IniSettingsStore::~IniSettingsStore() = default;

QSettings *IniSettingsStore::checkedFile(const QString &application)
{
    const QString filePath = path(application);
    if (!mayOpen(filePath))
        return nullptr;
    // Qt keeps one parse of a file for the whole process, and reports a part that does not parse
    // only to the QSettings that parses that part first: a QSettings made later for the same file
    // finds nothing wrong. So one QSettings serves every read and save of the file, and its first
    // error stands.
    if (!m_file || m_filePath != filePath) {
        m_file = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
        // Written through a temporary file that then replaces it: a crash or a full disk leaves
        // the previous file whole.
        m_file->setAtomicSyncRequired(true);
        m_filePath = filePath;
    }
    if (m_file->status() == QSettings::NoError) {
        // What changed on disk since the last look is read again; then every section is parsed.
        // Qt parses a section only when a lookup needs it, and only then finds it bad, and a
        // lookup on its own may pass over the entry behind an oddly named section.
        m_file->sync();
        m_file->allKeys();
    }
    switch (m_file->status()) {
    case QSettings::NoError:
        return m_file.get();
    case QSettings::FormatError:
        qCDebug(lcSettings) << "cannot parse, left alone:" << filePath;
        return nullptr;
    case QSettings::AccessError:
        qCDebug(lcSettings) << "cannot read or write, left alone:" << filePath;
        return nullptr;
    }
    return nullptr;
}

std::optional<QString> IniSettingsStore::read(const QString &application, const QString &section,
                                              const QString &key)
{
    const QSettings *file = checkedFile(application);
    if (!file)
        return std::nullopt;
    return file->value(section + u'/' + key).toString();
}

bool IniSettingsStore::save(const QString &application, const QString &section, const QString &key,
                            const QString &value)
{
    QSettings *file = checkedFile(application);
    if (!file)
        return false;
    file->setValue(section + u'/' + key, value);
    // Under its lock, QSettings reads the file once more before it writes, should it have
    // changed since the check above, and writes it whatever it finds: a file broken by another
    // program in that instant is lost, which QSettings cannot be told to refuse. Only the status
    // then says so.
    file->sync();
    // QSettings would sync once more from the event loop, and so try a failed write again, past
    // the check above.
    QCoreApplication::removePostedEvents(file, QEvent::UpdateRequest);
    if (file->status() != QSettings::NoError) {
        qCDebug(lcSettings) << "cannot save" << m_filePath;
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
