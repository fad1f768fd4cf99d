#pragma once
// A window's handler runs a model operation; an error the user can meet (a
// file that cannot be read or written, ...) ends the handler in an error box
// that names the file, and the window goes on.

#include <utility>

#include "common/errors.h"
#include "common/prompts.h"

namespace mw::ui {

/// Runs `operation`; a UserError is shown with prompts.error(). True when it
/// ran to the end.
template <typename Operation>
bool showingErrors(Prompts& prompts, Operation&& operation) {
    try {
        std::forward<Operation>(operation)();
        return true;
    } catch (const UserError& e) {
        prompts.error(e.what());
        return false;
    }
}

}  // namespace mw::ui
