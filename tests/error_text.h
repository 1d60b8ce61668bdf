#pragma once
// The text of the program's error that an action throws, for tests that compare it.
#include <string>

#include "calc/error.h"

namespace testutil {

// Runs `action` and returns the whole text of the calc::Error it throws, or
// "(no error)" when it throws none.
template <typename Action>
std::string ErrorText(Action&& action) {
    try {
        action();
    } catch (const calc::Error& e) {
        return e.text();
    }
    return "(no error)";
}

}  // namespace testutil
