// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "reading/modPlanetSign.h"

#include "reading/frmMain.h"
#include "reading/signtable.h"

#include <QComboBox>

namespace modPlanetSign {

QString ErisSign;

void DetermineErisSign()
{
    const frmMain &entry = LoadedWindows::load<frmMain>();
    switch (decide(entry.cboYear->currentText(), entry.cboMonth->currentText(),
                   entry.cboDate->currentText())) {
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
}

} // namespace modPlanetSign
