// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "fakeplatform.h"

#include <QFile>
#include <QJsonDocument>

#include "app/startup.h"
#include "platform/accessibility.h"
#include "platform/form.h"
#include "reading/modPlanetSign.h"
#include "referral/modTellAFriend.h"
#include "weblinks/modHelp.h"

#include <QAccessible>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

platform::Answer FakeMessageBoxes::show(QWidget *parent, platform::Icon icon,
                                        platform::Buttons buttons, const QString &title,
                                        const QString &text)
{
    shown.append({icon, buttons, title, text, int(LoadedWindows::inLoadOrder().size()),
                  parent ? parent->window()->objectName() : QString()});
    // A box is a window of its own: while it is up, the window it speaks for has lost the
    // keyboard, and nothing gives it back unless the program asks. A stand-in window takes the
    // activation as the box would, and leaves it to nobody.
    {
        QWidget standIn(nullptr, Qt::Dialog);
        standIn.setObjectName(QStringLiteral("messageBoxStandIn"));
        standIn.resize(40, 20);
        standIn.show();
        QCoreApplication::processEvents();
        standIn.hide();
        QCoreApplication::processEvents();
    }
    if (buttons == platform::Buttons::Ok)
        return platform::Answer::Ok;
    if (answers.empty())
        return platform::Answer::No;
    const platform::Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeBrowser::open(const QString &address)
{
    opened.append(address);
    loadedWindows.append(int(LoadedWindows::inLoadOrder().size()));
}

std::optional<QString> FakeSettings::read(const QString &application, const QString &section,
                                          const QString &key)
{
    ++reads;
    if (failing)
        return std::nullopt;
    return entries.value(application + u'/' + section + u'/' + key);
}

bool FakeSettings::save(const QString &application, const QString &section, const QString &key,
                        const QString &value)
{
    if (failing)
        return false;
    ++saves;
    entries.insert(application + u'/' + section + u'/' + key, value);
    return true;
}

double FakeClock::nextRandom()
{
    if (randoms.empty())
        return 0.5;
    const double r = randoms.front();
    randoms.pop_front();
    return r;
}

FakePlatform::FakePlatform()
{
    installAccessibility(); // as main() does; a second call changes nothing
    platform::install<platform::MessageBoxes>(&messages);
    platform::install<platform::Browser>(&browser);
    platform::install<platform::SettingsStore>(&settings);
    platform::install<platform::InstanceGuard>(&instance);
    platform::install<platform::Clock>(&clock);
    platform::install<platform::Process>(&process);
}

FakePlatform::~FakePlatform()
{
    resetProgram();
    platform::install<platform::MessageBoxes>(nullptr);
    platform::install<platform::Browser>(nullptr);
    platform::install<platform::SettingsStore>(nullptr);
    platform::install<platform::InstanceGuard>(nullptr);
    platform::install<platform::Clock>(nullptr);
    platform::install<platform::Process>(nullptr);
}

void FakePlatformTest::init()
{
    fake = std::make_unique<FakePlatform>();
}

void FakePlatformTest::cleanup()
{
    fake.reset();
    QVERIFY(leftOverWindows().isEmpty());
}

void resetProgram()
{
    for (const auto &window : LoadedWindows::inLoadOrder())
        delete window.data();
    // Windows already unloaded wait for deferred deletion.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    modPlanetSign::ErisSign.clear();
    intCoBrandRandomNumber = 0;
    modHelp::programEnding = false;
    for (QString *text : {&modTellAFriend::strTafName, &modTellAFriend::strTafEmail,
                          &modTellAFriend::strTafMessage, &modTellAFriend::strTafFriendName,
                          &modTellAFriend::strTafFriendEmail, &modTellAFriend::strTafURL})
        text->clear();
}

QStringList leftOverWindows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (const QWidget *window : QApplication::topLevelWidgets())
        names << QString::fromLatin1(window->metaObject()->className()) + u' ' +
                window->objectName();
    return names;
}

QStringList visibleWindows()
{
    QStringList names;
    for (const auto &window : LoadedWindows::inLoadOrder()) {
        if (window->isVisible())
            names.append(window->objectName());
    }
    return names;
}

bool followAsAssistiveTechnology(QWidget *link)
{
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(link);
    if (!accessible || accessible->role() != QAccessible::Link || !accessible->state().linked)
        return false;
    QAccessibleActionInterface *actions = accessible->actionInterface();
    if (!actions || !actions->actionNames().contains(QAccessibleActionInterface::pressAction()))
        return false;
    actions->doAction(QAccessibleActionInterface::pressAction());
    return true;
}

bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

QJsonObject testData(const char *file)
{
    QFile data(QStringLiteral(SKYRAND_TEST_DATA "/") + QLatin1String(file));
    if (!data.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(data.fileName()));
    return QJsonDocument::fromJson(data.readAll()).object();
}
