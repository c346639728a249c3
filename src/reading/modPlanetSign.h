// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

namespace modPlanetSign {

// "Aries" or "Pisces" once a determination has decided; empty before. A determination that
// decides nothing leaves it as it was.
extern QString ErisSign;

// Decides the sign for a birth date as the entry window's lists show it, sets ErisSign when it
// decides, and returns ErisSign as it then is.
QString DetermineErisSign(QStringView year, QStringView month, QStringView day);

} // namespace modPlanetSign
