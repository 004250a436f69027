// What a scan could not compare: directories that could not be listed,
// files that could not be read, entries that are neither files nor
// directories, and links that would lead the walk round in a circle. Each tree keeps its own, in the order
// met; the pairing reads them to leave out what it cannot know, and the
// user is told of them once the pairing is done.
#pragma once

#include <string>

#include "twyndle/engine/dir_tree.h"

// Notes one problem on the tree (a memory shortage only loses the note).
void tree_note_problem(DirTree* tree, ScanProblemKind kind, const std::string& relative, const std::string& path);
// The tree's ScanProblems, none when there are none.
BlockList* tree_problems(const DirTree* tree);
void tree_release_problems(DirTree* tree);

// True when some directory of the tree could not be listed, or some file
// of a pair could not be read.
bool tree_has_unread(const DirTree* tree);
// True when `relative` (a relative name such as .\sub\x.c) lies inside a
// directory of the tree that could not be listed: whether the tree holds
// such a file is unknown, so the file is not "only in" the other root.
bool tree_unread_covers(const DirTree* tree, const char* relative);

// The text that tells the user what was not compared in either tree; empty
// when everything was. At most `shown` entries are named one by one.
std::string scan_report(const DirTree* left, const DirTree* right, int shown = 20);
