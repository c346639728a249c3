// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "reading/modPlanetSign.h"

#include "reading/signtable.h"

namespace modPlanetSign {

QString ErisSign;

QString DetermineErisSign(QStringView year, QStringView month, QStringView day)
{
    switch (decide(year, month, day)) {
    case Decision::Aries:
        ErisSign = QStringLiteral("Aries");
        break;
    case Decision::Pisces:
        ErisSign = QStringLiteral("Pisces");
        break;
    case Decision::NoDecision:
    case Decision::Failed:
        break;
    }
    return ErisSign;
}

} // namespace modPlanetSign
