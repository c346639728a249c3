// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include "platform/seams.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QObject>
#include <QScopeGuard>
#include <QStringList>

#include <deque>
#include <memory>

// One of the files in tests/data, which the end-to-end tests read too: what the program writes
// and sends, byte for byte, written down once.
QJsonObject testData(const char *file);

// Recording replacements for every seam, installed for the lifetime of one FakePlatform.
struct RecordedMessage
{
    platform::Icon icon;
    platform::Buttons buttons;
    QString title;
    QString text;
    int loadedWindows; // how many windows were loaded when it appeared
    QString owner; // the object name of the window it belongs to; empty for none
};

class FakeMessageBoxes final : public platform::MessageBoxes
{
public:
    platform::Answer show(QWidget *parent, platform::Icon icon, platform::Buttons buttons,
                          const QString &title, const QString &text) override;

    QList<RecordedMessage> shown;
    std::deque<platform::Answer> answers; // for Yes/No questions; No when empty
};

class FakeBrowser final : public platform::Browser
{
public:
    void open(const QString &address) override;
    QStringList opened;
    QList<int> loadedWindows; // per address: how many windows were loaded when it was opened
};

class FakeSettings final : public platform::SettingsStore
{
public:
    std::optional<QString> read(const QString &application, const QString &section,
                                const QString &key) override;
    bool save(const QString &application, const QString &section, const QString &key,
              const QString &value) override;

    QMap<QString, QString> entries; // "application/section/key" -> value
    bool failing = false;
    int reads = 0;
    int saves = 0;
};

class FakeInstanceGuard final : public platform::InstanceGuard
{
public:
    bool anotherInstanceRunning(const QString &) override { return running; }
    void release() override { }
    bool running = false;
};

class FakeClock final : public platform::Clock
{
public:
    QDate today() override { return date; }
    void seedRandom() override { ++seeds; }
    double nextRandom() override;

    QDate date {2026, 12, 8};
    std::deque<double> randoms; // 0.5 when empty
    int seeds = 0;
};

class FakeProcess final : public platform::Process
{
public:
    void end(int status) override { ends.append(status); }
    QList<int> ends;
};

class FakePlatform
{
public:
    FakePlatform();
    ~FakePlatform();
    FakePlatform(const FakePlatform &) = delete;
    FakePlatform &operator=(const FakePlatform &) = delete;

    FakeMessageBoxes messages;
    FakeBrowser browser;
    FakeSettings settings;
    FakeInstanceGuard instance;
    FakeClock clock;
    FakeProcess process;
};

// A test class of the program's windows: each test function runs on a fresh FakePlatform and
// leaves no window of any kind behind.
class FakePlatformTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

protected:
    std::unique_ptr<FakePlatform> fake;
};

// Discards every loaded window without running its handlers and clears the program-wide state,
// so that each test starts from a fresh process's point of view.
void resetProgram();

// Windows of any kind still there: none may be once a test has ended and its program is reset.
QStringList leftOverWindows();

// Sets an environment variable until the end of the scope; the previous value, or its absence,
// comes back however the test ends.
[[nodiscard]] inline auto temporaryEnvironment(const char *name, const QByteArray &value)
{
    const bool wasSet = qEnvironmentVariableIsSet(name);
    const QByteArray previous = qgetenv(name);
    qputenv(name, value);
    return qScopeGuard([=] {
        if (wasSet)
            qputenv(name, previous);
        else
            qunsetenv(name);
    });
}

// The object names of the loaded windows that are visible, oldest first.
QStringList visibleWindows();

// Follows a link the way a screen reader does, through its accessible press action; false when
// the control does not present itself as a link with such an action.
bool followAsAssistiveTechnology(QWidget *link);

// Shows a window and activates it, as the user does by clicking into it, then waits until the
// platform has made it the active one. The program itself never relies on this.
[[nodiscard]] bool showActive(QWidget &window);
