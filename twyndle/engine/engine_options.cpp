#include "twyndle/engine/engine_options.h"

int ignore_blanks = 0;
std::atomic<int> abort_requested{0};
