// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// What assistive technologies (screen readers, voice control, switch access) are told of the
// program's windows and controls, over AT-SPI on Linux.

// Gives the program's controls what assistive technologies should be told of them (links, lists,
// frames, plain windows). Once the QApplication exists, before the first window.
void installAccessibility();

// Gives a window that is no dialog the texts it shows as its accessible description, in reading
// order, top to bottom and left to right: the labels that head no control and lead nowhere. A
// screen reader announcing a dialog reads such texts by itself, but of any other window only its
// title and its description.
void describeForScreenReaders(QWidget &window);
