// SPDX-FileCopyrightText: 2026 Orrim Softwares
// SPDX-License-Identifier: MIT
#include "platform/form.h"
#include "platform/seams.h"
#include "weblinks/modHelp.h"

namespace modHelp {

void EndProgram()
{
    // An unload handler may call back in here (the exit promotion window's does): that inner call
    // unloads what is left and ends the process, so this walk stops wherever the process ended.
    auto &process = platform::process();
    for (const auto &window : LoadedWindows::inLoadOrder()) {
        if (process.hasEnded())
            return;
        if (window)
            window->close();
    }
    if (!process.hasEnded())
        process.end(0);
}

} // namespace modHelp
