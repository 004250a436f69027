// Naming and opening the files of a tree.
#include <cstring>
#include <string>

#include "twyndle/engine/dir_internal.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/path_ops.h"

std::string node_directory_path(const DirNode* node) {
  std::string path = node->tree->path;
  const char* relative = node->name + 1;  // past the leading dot
  if (path_ends_in_separator(node->tree->path)) ++relative;
  return path + relative;
}

char* entry_relative_name(const DirEntry* entry) {
  if (!entry || !entry->dir || !entry->name) return nullptr;
  std::string name = std::string(entry->dir->name) + entry->name;
  return text_new(name.c_str());
}

char* entry_full_path(const DirEntry* entry) {
  if (!entry || !entry->dir || !entry->name) return nullptr;
  DirTree* tree = entry->dir->tree;
  if (tree->is_file) return tree->path;
  return text_new((node_directory_path(entry->dir) + entry->name).c_str());
}

void entry_free_path(const DirEntry* entry, char* path) {
  if (entry && entry->dir && path != entry->dir->tree->path) text_free(path);
}

namespace {
// Reads a size the listing left out, through the tree's open directory
// (opened again only when the entry lies in another directory).
void read_pending_size(DirEntry* entry) {
  DirTree* tree = entry->dir->tree;
  if (tree->sized_node != entry->dir) {
    fs_dir_close(tree->sized_dir);
    tree->sized_dir = fs_dir_open(node_directory_path(entry->dir).c_str());
    tree->sized_node = entry->dir;
  }
  entry->size = fs_dir_file_size(tree->sized_dir, entry->name);
  entry->size_pending = 0;
}
}  // namespace

uint64_t entry_size(const DirEntry* entry) {
  if (!entry) return 0;
  if (entry->size_pending && entry->dir) read_pending_size(const_cast<DirEntry*>(entry));
  return entry->size;
}

bool entry_size_known(const DirEntry* entry) { return entry && !entry->unreadable; }

DirTree* entry_tree(const DirEntry* entry) { return entry && entry->dir ? entry->dir->tree : nullptr; }

const char* entry_name(const DirEntry* entry) { return entry ? entry->name : nullptr; }

FsFile* entry_open_read(const DirEntry* entry) {
  char* path = entry_full_path(entry);
  if (!path) return nullptr;
  FsFile* file = fs_open_read(path);
  entry_free_path(entry, path);
  return file;
}
