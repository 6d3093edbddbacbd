#pragma once

namespace fake {

// Counts the calls that change the fake machine (file create, write, copy, replace, delete,
// attributes, folder create and remove; registry key create, value set and delete, key delete)
// and makes one of them fail: the N-th since `Start`. An INI write counts as the file write
// it makes. The failure sweep runs an operation once to count its calls, then once per call
// with that call failing.
//
// A call fails cleanly (nothing done), or, with `halfway`, the way Windows can fail it in the
// middle, where it can: a key tree deleted below the key but not the key, a file written
// whose working copy stays behind. Such a call says so (`failedHalfway`), and the sweep then
// tries that failure point halfway too.
struct MutationCounter {
    unsigned calls = 0;
    unsigned failAt = 0;  // 0: none fails
    bool halfway = false;
    bool failedHalfway = false;  // the failing call could fail halfway (and did, with `halfway`)

    void Start(unsigned failingCall = 0, bool failHalfway = false) {
        calls = 0;
        failAt = failingCall;
        halfway = failHalfway;
        failedHalfway = false;
    }
    // Counts one mutating call; true when it is the one to fail.
    bool Fails() { return ++calls == failAt; }
    // For a call that can fail halfway, once it fails: whether to do its first half.
    bool DoHalf() {
        failedHalfway = true;
        return halfway;
    }
};

}  // namespace fake
