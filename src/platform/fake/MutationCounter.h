#pragma once

namespace fake {

// Counts the calls that change the fake machine (file create, write, copy, replace, delete,
// attributes, folder create and remove; registry key create, value set and delete, key delete)
// and makes one of them fail: the N-th since `Start`. An INI write counts as the file write
// it makes. The failure sweep runs an operation once to count its calls, then once per call
// with that call failing.
struct MutationCounter {
    unsigned calls = 0;
    unsigned failAt = 0;  // 0: none fails

    void Start(unsigned failingCall = 0) {
        calls = 0;
        failAt = failingCall;
    }
    // Counts one mutating call; true when it is the one to fail.
    bool Fails() { return ++calls == failAt; }
};

}  // namespace fake
