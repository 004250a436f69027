#include "twyndle/engine/engine_options.h"

int ignore_blanks = 0;
int check_contents = 1;
std::atomic<int> abort_requested{0};
