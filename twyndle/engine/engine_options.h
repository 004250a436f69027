// Process-wide compare options and run flags.
#pragma once

#include <atomic>

// 1: spaces and tabs are skipped wherever a Line is hashed or compared, and
// blank Lines are passed over by the matcher. Set once from the command line
// before any compare starts; nothing changes it while Lines exist.
extern int ignore_blanks;

// 1 (the default): the bytes of an equal-size pair are compared before the
// pair is called identical. 0 decides by the sizes alone, which is never
// sound for a user; it is there to measure what the check costs.
extern int check_contents;

// Set by the main window when the user aborts; walks and pairing stop on it.
extern std::atomic<int> abort_requested;
