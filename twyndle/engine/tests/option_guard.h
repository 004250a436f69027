// Sets one option of the program state for the lifetime of the guard and
// puts back the value it had, also when a failed assertion ends the test
// early.
#pragma once

#include "twyndle/engine/program_state.h"

class OptionGuard {
 public:
  OptionGuard(int ProgramState::*option, int value) : option_(option), saved_(program.*option) {
    program.*option = value;
  }
  ~OptionGuard() { program.*option_ = saved_; }
  OptionGuard(const OptionGuard&) = delete;
  OptionGuard& operator=(const OptionGuard&) = delete;

 private:
  int ProgramState::*option_;
  int saved_;
};
