#include "twyndle/engine/program_state.h"

ProgramState program;
