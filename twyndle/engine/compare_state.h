// One numbering for the states of compare items and of Sections. Items are
// Equal, SizesDiffer, LeftFileOnly or RightFileOnly; per-file Sections are
// Equal, LeftLinesOnly or RightLinesOnly (then Taken once merged); composite
// Sections are Equal, LeftLinesOnly, RightLinesOnly, MovedLeftLines or
// MovedRightLines.
#pragma once

#include <cstdint>

enum CompareState : int32_t {
  Equal = 1,
  SizesDiffer = 4,
  LeftFileOnly = 5,
  RightFileOnly = 6,
  LeftLinesOnly = 7,
  RightLinesOnly = 8,
  MovedLeftLines = 9,
  MovedRightLines = 10,
  Taken = 99,
};
