// A compare root, a file or a directory, held as a tree of directory nodes
// and file entries that is listed lazily while it is walked. The walk visits
// the files in a fixed sorted, depth-first order (path_compare), so that two
// walks can run side by side and be paired by relative path.
#pragma once

#include <cstdint>

#include "twyndle/engine/block_list.h"
#include "twyndle/engine/file_seam.h"

constexpr uint32_t dir_tree_path_bytes = 256;

struct DirNode;

struct DirTree {
  char path[dir_tree_path_bytes];  // the root path as given (at most 255 bytes)
  int32_t is_file;                 // 1: the root is a single file
  DirNode* root;                   // owned; its name is ".\"
  DirNode* sized_node;             // the directory sized_dir is open on, or none
  FsDir* sized_dir;                // owned: open to read sizes the listing left out
  BlockList* problems;             // owned ScanProblems in the order met; none until the first
};

// What the scan left out of a tree, and why; the user is told after the
// pairing (scan_problems.h).
enum ScanProblemKind : int32_t {
  problem_unreadable = 1,  // a directory that could not be listed: its files are unknown
  problem_not_regular = 2, // an entry that is neither a regular file nor a directory
  problem_loop = 3,        // a link to a directory already on its own path, not followed
  problem_unreadable_file = 4,  // a file of a pair that could not be read: the pair is not compared
};

struct ScanProblem {
  int32_t kind;    // ScanProblemKind
  char* relative;  // owned: the directory's relative name (.\sub\), or the entry's (.\sub\x)
  char* path;      // owned: the full path, as the user would type it
};

struct DirNode {
  char* name;          // owned: parent's name + own name + "\", lower-cased; ".\" for the root
  DirTree* tree;       // owning tree
  DirNode* parent;     // none for the root
  int32_t scanned;     // 1 once the directory has been listed
  BlockList* files;    // owned DirEntry items, sorted by path_compare of the names
  BlockList* subdirs;  // owned DirNode items, sorted by their simple names
  int32_t phase;       // walk phase: 1 at the files, 2 at the subdirectories
  DirNode* cursor;     // the subdirectory the walk is in or came back from
  FsIdentity identity; // the directory's identity, valid with identity_known
  int32_t identity_known;  // 1 once read when the directory was listed
};

struct DirEntry {
  char* name;             // owned: the file name, lower-cased by the scan (a single-file root's as given)
  uint64_t size;          // the size in bytes; valid once size_pending is 0
  uint32_t size_pending;  // 1: the listing left the size out; entry_size reads it
  uint32_t unreadable;    // 1: a single-file root that could not be opened: its size is unknown
  DirNode* dir;           // the directory holding the file
};

// A tree for an existing directory or file; none when the path is neither,
// or is too long for the record. With lazy = 1 (what every caller passes)
// only the root directory is listed, and deeper directories when the walk
// reaches them; with lazy = 0 the whole directory tree is listed at once.
DirTree* tree_new(const char* path, int32_t lazy);
void tree_release(DirTree* tree);
bool tree_is_file(const DirTree* tree);
const char* tree_root_path(const DirTree* tree);

// The first file of the walk (descending as far as needed), or none.
DirEntry* tree_first(DirTree* tree);
// The next file after `entry`; none at the end, or when abort_requested is
// set. With recursive = 0 the walk ends with the directory holding `entry`.
DirEntry* tree_next(DirTree* tree, DirEntry* entry, int32_t recursive);

// Lists one directory into its node (and, when recursive, everything below).
void scan_directory(DirNode* node, int32_t recursive);

// A new text: the directory's relative name and the file name (.\sub\x.c).
char* entry_relative_name(const DirEntry* entry);
// The file's full path: for a single-file tree the tree's own path (not a
// copy); otherwise a new text. Give it back with entry_free_path.
char* entry_full_path(const DirEntry* entry);
// Frees a path from entry_full_path if it is a new text.
void entry_free_path(const DirEntry* entry, char* path);
// The file's size in bytes, as the scan found it. Where the
// platform's listing carries no sizes (POSIX) the scan leaves most of them
// out, and the first call reads it, on the thread that walks the tree:
// the pairing asks right after the walk lists the directory.
uint64_t entry_size(const DirEntry* entry);
// False for a file that could not be opened when its size was to be read:
// entry_size then says 0, which is no size the file has.
bool entry_size_known(const DirEntry* entry);
DirTree* entry_tree(const DirEntry* entry);
const char* entry_name(const DirEntry* entry);
// Opens the file for reading (sharing read and write) if it exists.
FsFile* entry_open_read(const DirEntry* entry);
