// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "app/startup.h"

#include "app/cobranddraw.h"
#include "platform/controls.h"
#include "platform/seams.h"
#include "reading/frmMain.h"
#include "weblinks/modHelp.h"

qint16 intCoBrandRandomNumber = 0;

void StartUp()
{
    if (platform::instanceGuard().anotherInstanceRunning(platform::programName())) {
        platform::showInformation(nullptr, QStringLiteral("Application is already running"));
        modHelp::EndProgram();
        return;
    }
    platform::clock().seedRandom();
    modHelp::CheckUpdateReminder();
    LoadedWindows::load<frmMain>().show();
    CoBrand_Randomize();
}

void CoBrand_Randomize()
{
    intCoBrandRandomNumber = static_cast<qint16>(coBrandNumber(platform::clock().nextRandom()));
    frmMain &entry = LoadedWindows::load<frmMain>();
    switch (coBrandFront(intCoBrandRandomNumber)) {
    case CoBrandFront::CoBrand:
        entry.lblCobrand->raise();
        break;
    case CoBrandFront::FullBrand:
        entry.lblFullBrand->raise();
        break;
    case CoBrandFront::Unchanged:
        break;
    }
}
