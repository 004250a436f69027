// Comparing names and paths ignoring case, double-byte aware.
#pragma once

// True when the texts are equal ignoring the case of single-byte letters;
// the trail byte of a double-byte character must match exactly. Two
// missing texts are equal; a missing and a present one are not.
bool names_equal_ignoring_case(const char* a, const char* b);
