// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#pragma once

// Routines shared by every window: the vendor page launchers, the update reminder and the end of
// the program.
namespace modHelp {

// Each opens one fixed vendor page in the default browser; failures pass silently.
void OpenSoftwaresPage();
void OpenDonatePage();
void OpenHelpPage();
void OpenFullyBrandedPage();
void OpenCoBrandPage();
void OpenHomePage();
void OpenDownloadPage();

// Once per start: asks whether to look for an update when the last reminder lies more than
// 14 days away.
void CheckUpdateReminder();

// Unloads every loaded window, oldest first, and ends the process with status 0.
void EndProgram();

// Whether EndProgram has begun the end. The unload handlers it runs find it under way, and a
// call of theirs back into EndProgram (the exit window's makes one) leaves the end to the call
// that began it. Only a test, whose process outlives the end, ever sets it back.
extern bool programEnding;

} // namespace modHelp
