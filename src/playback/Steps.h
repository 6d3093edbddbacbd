#pragma once
#include <exception>
#include <functional>
#include <initializer_list>

// Runs every step in order, also after one of them has failed, then passes the first
// failure on. The transport and the alarm's end are chains whose later links (re-enabling
// the window, restoring the cursor, the next end action, ending the program) must happen
// whatever went wrong before them.
inline void RunAllSteps(std::initializer_list<std::function<void()>> steps) {
    std::exception_ptr first;
    for (const auto& step : steps) {
        try {
            step();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}
