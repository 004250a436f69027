// Display options that every View reads, set once from the command line
// before the first compare starts (0 = off, 1 = on).
#pragma once

// -d: expanded rows show the left and the right text in columns 2 and 3.
extern int side_by_side;
// -o: expanded rows leave out the lines of Equal sections.
extern int only_changes;
// -c: cells are coloured by the state of their row (not when printing).
extern int colour_marks;
