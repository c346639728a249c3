// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// What assistive technologies (screen readers, voice control, switch access) are told of the
// program's windows and controls, over AT-SPI on Linux.

// Gives the program's controls what assistive technologies should be told of them (links, lists,
// frames, the frame holding a window's controls, plain windows). Once the QApplication exists,
// before the first window.
void installAccessibility();
