// The converter's error channel ends the process after a syntax report by
// default; a fuzzer must see the load fail (a thrown cException*) instead.
#pragma once

#include "log.h"

namespace fuzz {

inline void quietErrorLog() {
    static const bool done = [] {
        createLogChannels();
        for (cLog* channel : {ErrorLog, WarningLog}) {
            if (!channel) continue;
            channel->errorBox = false;
            channel->warningBox = false;
            channel->offerDebuggerBreak = false;
            // Millions of reports would fill the log directory.
            channel->enabled = false;
        }
        return true;
    }();
    (void)done;
}

}  // namespace fuzz
