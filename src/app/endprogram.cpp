#include "platform/form.h"
#include "platform/seams.h"
#include "weblinks/modHelp.h"

namespace modHelp {

void EndProgram()
{
    // An unload handler may call back in here (the exit promotion window's does): the inner call
    // only ends the process, which the outer pass then never resumes from.
    static int depth = 0;
    if (depth++ == 0) {
        for (const auto &window : LoadedWindows::inLoadOrder()) {
            if (window)
                window->Unload();
        }
    }
    platform::process().end(0);
    --depth;
}

} // namespace modHelp
