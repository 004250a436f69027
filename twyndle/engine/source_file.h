// A SourceFile: a file of a compare pair and, once read, its Lines.
#pragma once

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/dir_tree.h"
#include "twyndle/engine/line.h"

struct SourceFile {
  DirEntry* entry;     // which file; not owned
  BlockList* lines;    // owned Line items; none until read and after a discard
  int32_t unreadable;  // 1: the last reading failed: the file could not be opened or read
};

// A new SourceFile; reads its Lines at once only when read_now is set.
SourceFile* source_new(DirEntry* entry, bool read_now);
// The Lines, reading the file first if there are none; none if it cannot be
// opened or memory runs out while reading (never a partial list). An empty
// file gives an empty list.
BlockList* source_lines(SourceFile* file);
// Releases every Line and the list; the next source_lines reads again.
void source_discard_lines(SourceFile* file);
// line_reset on every Line, keeping the texts.
void source_reset_lines(SourceFile* file);
void source_release(SourceFile* file);
DirEntry* source_entry(const SourceFile* file);
// True when the last source_lines could not open or read the file (not
// when memory ran out: the heap has told the user of that).
bool source_unreadable(const SourceFile* file);

// Reads every line of an open file into `lines`, numbered from 1. A line
// runs up to and including its LF; the last one may lack it. Lines are
// never cut, however long. False when memory runs out or a read fails
// (the Lines read so far stay in the list); `read_error`, when given, says
// which.
bool read_lines(FsFile* file, BlockList* lines, bool* read_error = nullptr);
