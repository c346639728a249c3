// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/seams.h"

#include "platform/inisettingsstore.h"
#include "platform/logging.h"
#include "platform/windowing.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUrl>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace platform {

namespace {

class QtMessageBoxes final : public MessageBoxes
{
public:
    Answer show(QWidget *parent, Icon icon, Buttons buttons, const QString &title,
                const QString &text) override
    {
        // Texts may separate lines by a lone carriage return, which a label would not break at.
        QString shown = text;
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');

        // A box belongs to the window it speaks for: the window manager keeps it above that window
        // and gives that window the keyboard back when the box closes.
        QWidget *owner = parent ? parent->window() : nullptr;
        QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::Information,
                        title, shown, QMessageBox::NoButton, owner);
        box.setTextFormat(Qt::PlainText);
        if (buttons == Buttons::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
        } else {
            box.setDefaultButton(box.addButton(QMessageBox::Ok));
        }
        keepMessageAboveOthers(box, owner);
        switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
        }
    }
};

class DesktopBrowser final : public Browser
{
public:
    void open(const QString &address) override
    {
        // Qt hands a URL to xdg-open in its encoded form. Where that form is not byte for byte the
        // address we built, start xdg-open ourselves with the address as its one argument.
        const QByteArray bytes = address.toUtf8();
        const QUrl url = QUrl::fromEncoded(bytes, QUrl::StrictMode);
        bool started = false;
        if (url.isValid() && url.toEncoded() == bytes)
            started = QDesktopServices::openUrl(url);
        else
            started = QProcess::startDetached(QStringLiteral("xdg-open"), {address});
        if (!started)
            qCDebug(lcBrowser) << "no browser launcher could be started for" << address;
    }
};

class LockFileGuard final : public InstanceGuard
{
    static constexpr std::chrono::milliseconds kUnreadableLockAge = std::chrono::seconds(30);

public:
    bool anotherInstanceRunning(const QString &application) override
    {
        const QString name = application + QStringLiteral(".lock");
        for (const auto location :
             {QStandardPaths::RuntimeLocation, QStandardPaths::TempLocation}) {
            const QString folder = QStandardPaths::writableLocation(location);
            if (folder.isEmpty()) {
                qCDebug(lcInstance) << "no folder for the lock in" << location;
                continue;
            }
            auto lock = std::make_unique<QLockFile>(folder + u'/' + name);
            // A lock naming a process that is gone is taken over at once. One that names no
            // process at all (cut short by a crash, or written under another host name) would
            // otherwise refuse every start for good: it counts as stale once it is old. The
            // running owner holds a file lock on its lock file, so its lock is never taken over,
            // however long it has run.
            lock->setStaleLockTime(kUnreadableLockAge);
            if (lock->tryLock(0)) {
                m_lock = std::move(lock);
                return false;
            }
            if (lock->error() == QLockFile::LockFailedError)
                return true;
            // The folder cannot hold a lock: try the next one.
            qCDebug(lcInstance) << "cannot keep the lock" << lock->fileName() << ":"
                                << lock->error();
        }
        // Nowhere to keep a lock: better to run unguarded than not at all.
        qCDebug(lcInstance) << "running without a single-instance guard";
        return false;
    }

    void release() override { m_lock.reset(); }

private:
    std::unique_ptr<QLockFile> m_lock;
};

class SystemClock final : public Clock
{
public:
    QDate today() override { return QDate::currentDate(); }
    void seedRandom() override
    {
        m_random.seed(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    }
    double nextRandom() override { return m_random.generateDouble(); }

private:
    QRandomGenerator m_random;
};

class RealProcess final : public Process
{
public:
    [[noreturn]] void end(int status) override
    {
        instanceGuard().release();
        std::fflush(nullptr);
        std::_Exit(status);
    }
};

template<class Seam, class Real> Seam &current()
{
    if (Seam *replacement = installed<Seam>())
        return *replacement;
    static Real real;
    return real;
}

} // namespace

MessageBoxes &messageBoxes()
{
    return current<MessageBoxes, QtMessageBoxes>();
}

Browser &browser()
{
    return current<Browser, DesktopBrowser>();
}

SettingsStore &settings()
{
    return current<SettingsStore, IniSettingsStore>();
}

InstanceGuard &instanceGuard()
{
    return current<InstanceGuard, LockFileGuard>();
}

Clock &clock()
{
    return current<Clock, SystemClock>();
}

Process &process()
{
    return current<Process, RealProcess>();
}

namespace {

Answer showMessage(QWidget *parent, Icon icon, Buttons buttons, const QString &text)
{
    const Answer answer =
        messageBoxes().show(parent, icon, buttons, QString(kApplicationTitle), text);
    returnKeyboard(parent ? parent->window() : nullptr);
    return answer;
}

} // namespace

void showInformation(QWidget *parent, const QString &text)
{
    showMessage(parent, Icon::Information, Buttons::Ok, text);
}

void showCritical(QWidget *parent, const QString &text)
{
    showMessage(parent, Icon::Critical, Buttons::Ok, text);
}

Answer askYesNo(QWidget *parent, const QString &text)
{
    return showMessage(parent, Icon::Information, Buttons::YesNo, text);
}

QString programName()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace platform
