// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

class QPoint;
class QWidget;

// What the program asks of the window manager, in one place: what each call guarantees, which
// window managers need it, and the end-to-end test that shows it (a class of
// tests/e2e/test_desktop.py unless another file is named).
namespace platform {

// Shows the window in front and gives it the keyboard. Window managers that prevent focus
// stealing (metacity, xfwm4) give a newly mapped window the keyboard only when it asks for it;
// the end-to-end test KeyboardAfterExit shows it under each.
void showWithKeyboard(QWidget &window);

// Takes `leaving` off the screen, then shows `coming` in front with the keyboard. In this order:
// xfwm4 gives the keyboard back to a window that is still mapped as the next one comes, and then
// calls the new one active while the keys go nowhere (KeyboardAfterExit, leaving the entry or the
// result window).
void replaceWindow(QWidget &leaving, QWidget &coming);

// Keeps the window above every ordinary window, each time it is shown. Window managers drop the
// state of a window that is hidden; Qt's X11 platform writes it (_NET_WM_STATE_ABOVE) from the
// window's flags every time it maps the window, so each show asks again (test_exit.py ExitFlow
// looks for the state after every way of reaching the exit window).
void keepAboveOthers(QWidget &window);

// Keeps a message box that is about to open for `owner` (nullptr: for no window) above every
// window that stays on top. Without it, a box without an owner opens beneath any window of
// another program that stays on top, under openbox, xfwm4 and metacity alike: beneath the exit
// window of the instance already running, when a second start is refused
// (MessageStacking.test_already_running_message). A box of a window that stays on top is kept
// above it too; those three keep a transient above its window by themselves
// (MessageStacking.test_exit_window_messages), as the EWMH recommends but does not require.
// The box asks for no keyboard of its own: Qt asks for it for every modal window it maps, which
// the focus-stealing prevention of metacity and xfwm4 honours (MessageStacking).
void keepMessageAboveOthers(QWidget &box, const QWidget *owner);

// Gives the keyboard back to `owner`, once its message box has closed, on the control that had
// it. Openbox, xfwm4 and metacity hand it back by themselves (MessageStacking and test_faults.py
// ModalFaults pass without the request); the program asks all the same, so that this does not
// rest on a window manager's focus policy, nor on the offscreen platform of the widget tests,
// which hands nothing back.
void returnKeyboard(QWidget *owner);

// Puts a window that is about to be shown for the first time in the centre of its screen. A main
// window or a plain window is otherwise placed wherever the window manager likes (openbox: at
// the top left); a dialog centres itself.
void placeInCentre(QWidget &window);

// Puts a window that is about to be shown again where its frame was when it was hidden, the
// user's moves included. Metacity would otherwise put the window's inside where its frame was,
// off by the size of the frame (the end-to-end test EntryPosition).
void placeAt(QWidget &window, const QPoint &framePosition);

} // namespace platform
