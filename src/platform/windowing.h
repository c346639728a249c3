// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

class QPoint;
class QWidget;

// What the program asks of the window manager, in one place: what each call guarantees, and
// which window managers need it.
namespace platform {

// Shows the window in front and gives it the keyboard. Window managers that prevent focus
// stealing (metacity, xfwm4) give a newly mapped window the keyboard only when it asks for it;
// the end-to-end test KeyboardAfterExit shows it under each.
void showWithKeyboard(QWidget &window);

// Puts a window that is about to be shown for the first time in the centre of its screen. A main
// window or a plain window is otherwise placed wherever the window manager likes (openbox: at
// the top left); a dialog centres itself.
void placeInCentre(QWidget &window);

// Puts a window that is about to be shown again where its frame was when it was hidden, the
// user's moves included. Metacity would otherwise put the window's inside where its frame was,
// off by the size of the frame (the end-to-end test EntryPosition).
void placeAt(QWidget &window, const QPoint &framePosition);

} // namespace platform
