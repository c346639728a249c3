#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>

// The program's icon, for every window and picture that shows it.
QIcon applicationIcon();

// A light palette with the given window colour, for windows whose design fixes their background:
// everything drawn on them keeps its contrast under a dark desktop palette.
QPalette fixedLightPalette(const QColor &window);
