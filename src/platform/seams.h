// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QDate>
#include <QString>

#include <optional>

class QWidget;

// The program's only contacts with the desktop. Each seam has one real implementation on Qt and
// can be replaced by a test through install(); production code always goes through the accessors.
namespace platform {

enum class Icon { Information, Critical };
enum class Buttons { Ok, YesNo }; // YesNo: Yes is the default button
enum class Answer { Ok, Yes, No };

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // Modal; returns the button pressed.
    virtual Answer show(QWidget *parent, Icon icon, Buttons buttons, const QString &title,
                        const QString &text) = 0;
};

class Browser
{
public:
    virtual ~Browser() = default;
    // Fire and forget: hands the address to the desktop's default browser, never reports failure.
    virtual void open(const QString &address) = 0;
};

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // An absent entry reads as the empty text; std::nullopt when the store cannot be read.
    virtual std::optional<QString> read(const QString &application, const QString &section,
                                        const QString &key) = 0;
    // True once the entry is safely on disk.
    virtual bool save(const QString &application, const QString &section, const QString &key,
                      const QString &value) = 0;
};

class InstanceGuard
{
public:
    virtual ~InstanceGuard() = default;
    // Claims the program for this process; true when another process of it runs already.
    virtual bool anotherInstanceRunning(const QString &application) = 0;
    virtual void release() = 0;
};

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
    virtual void seedRandom() = 0; // from the clock
    virtual double nextRandom() = 0; // 0 <= r < 1
};

class Process
{
public:
    virtual ~Process() = default;
    // Ends the process at once; the real one never returns.
    virtual void end(int status) = 0;
};

MessageBoxes &messageBoxes();
Browser &browser();
SettingsStore &settings();
InstanceGuard &instanceGuard();
Clock &clock();
Process &process();

template<class Seam> Seam *&installed()
{
    static Seam *replacement = nullptr;
    return replacement;
}

// For tests: use `replacement` instead of the real seam; nullptr restores the real one.
template<class Seam> void install(Seam *replacement)
{
    installed<Seam>() = replacement;
}

// The application title that every message box carries.
inline constexpr QLatin1String kApplicationTitle("Skyrand");

void showInformation(QWidget *parent, const QString &text);
void showCritical(QWidget *parent, const QString &text);
Answer askYesNo(QWidget *parent, const QString &text);

// The running program's file name without extension: what the settings and the instance guard
// are addressed by, so a renamed copy keeps its own.
QString programName();

} // namespace platform
