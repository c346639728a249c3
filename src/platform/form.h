// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <optional>

class QCloseEvent;
class QHideEvent;
class QKeyEvent;
class QLayout;
class QPushButton;
class QShowEvent;

// A window of the program, on the Qt base that fits what it is: the entry and result windows are
// main windows (MainForm below), the exit window a plain window, the about window a dialog.
// Windows are "loaded" from their construction until they are unloaded (closed), which runs their
// Form_Unload and discards them; LoadedWindows lists the loaded ones in the order they were
// loaded. A window class derives from its Qt base first, then from Form, and hands its
// closeEvent to unloadOnClose.
class Form
{
public:
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Closes and discards the window, running its unload handler.
    void Unload();
    // Takes the window off the screen and discards it without its unload handler, for a window
    // that only makes way for another.
    void discard();

protected:
    explicit Form(QWidget *window);
    virtual ~Form();

    // What every window of the design shares: its name, its caption, a fixed border with a title
    // bar and a close box but no minimise or maximise button, and the design's font.
    void setUpWindow(const char *name, const QString &caption, Qt::WindowType kind = Qt::Window);

    // The frame that holds the window's controls, laid out by `layout`: what assistive
    // technologies read as the window's text is read from it, as the window says it now.
    QWidget *holdContents(QLayout *layout);

    // Runs while the window is being unloaded, whatever asked for it; it never cancels.
    virtual void Form_Unload() { }

    // The window's closeEvent: runs the unload handler, after which the window no longer counts
    // as loaded and is deleted.
    void unloadOnClose(QCloseEvent *event);

    // The window's showEvent: the window opens in the centre of the screen the first time, and
    // where the user left it every time after.
    void showing(QShowEvent *event);
    // The window's hideEvent: keeps where it was.
    void hiding(QHideEvent *event);

private:
    QWidget *const m_window;
    std::optional<QPoint> m_keptPosition;
};

// The entry and result windows: a menu bar over contents of a fixed size, and one button, Exit,
// that Enter and Escape press. Enter presses a push button that has the focus instead, when that
// button says so (QPushButton::autoDefault); on any other control, a name box or a list, it
// presses Exit. Escape presses Exit from anywhere in the window.
class MainForm : public QMainWindow, public Form
{
    Q_OBJECT

public:
    explicit MainForm(QWidget *parent = nullptr);

protected:
    // The menu bar, and the contents below it laid out by `contents`.
    void setMenuAndContents(QMenuBar *menu, QLayout *contents);
    void setExitButton(QPushButton *button);

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QPointer<QPushButton> m_exitButton;
};

namespace LoadedWindows {

// Loaded windows, oldest first.
QList<QPointer<QWidget>> inLoadOrder();

template<class W> W *find()
{
    for (const auto &window : inLoadOrder()) {
        if (auto *found = qobject_cast<W *>(window.data()))
            return found;
    }
    return nullptr;
}

// The loaded window of this kind; loads it (and so runs its load steps) when there is none.
template<class W> W &load()
{
    if (W *window = find<W>())
        return *window;
    return *new W;
}

} // namespace LoadedWindows
