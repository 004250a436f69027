// Helpers shared by the directory tree's source files.
#pragma once

#include <string>

#include "twyndle/engine/dir_tree.h"

// The tree's path followed by the node's relative name without its leading
// dot (and without the backslash after it when the path already ends in
// one): the directory's full path with a trailing backslash.
std::string node_directory_path(const DirNode* node);

// Fills a new node record (name taken over) as not scanned, phase 1.
void node_init(DirNode* node, char* name, DirTree* tree, DirNode* parent);

// Releases a node's names and lists, and those of everything below it.
void node_release_contents(DirNode* node);
