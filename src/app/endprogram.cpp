// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/form.h"
#include "platform/seams.h"
#include "weblinks/modHelp.h"

namespace modHelp {

bool programEnding = false;

void EndProgram()
{
    if (programEnding)
        return;
    programEnding = true;
    // The windows loaded now, oldest first. One that is closing already (the exit window, when
    // its unload began the end) lets a second close pass.
    for (const auto &window : LoadedWindows::inLoadOrder()) {
        if (window)
            window->close();
    }
    platform::process().end(0);
}

} // namespace modHelp
