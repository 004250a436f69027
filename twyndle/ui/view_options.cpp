#include "twyndle/ui/view_options.h"

int side_by_side = 0;
int only_changes = 0;
int colour_marks = 0;
