// The tree record and its lazy, depth-first walk. Each node remembers where
// the walk stands in it: phase 1 while its own files are visited, phase 2
// while its subdirectories are, with the cursor on the subdirectory the walk
// is in or came back from. A step either finds a file, descends into the
// next subdirectory, or climbs back to the parent, so the walk needs no
// stack and ends at the root once its last subdirectory is done.
#include <cstring>

#include "twyndle/engine/dir_internal.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/scan_problems.h"

namespace {
bool add_single_file(DirTree* tree) {
  DirNode* root = tree->root;
  root->scanned = 1;
  root->files = list_new();
  auto* entry = static_cast<DirEntry*>(list_append(root->files, sizeof(DirEntry)));
  if (!entry) return false;
  entry->name = text_new(last_component(tree->path));
  bool opened = false;
  entry->size = path_file_size(tree->path, &opened);
  entry->size_pending = 0;
  entry->unreadable = opened ? 0 : 1;
  entry->dir = root;
  return entry->name != nullptr;
}

DirEntry* walk_from(DirNode* node) {
  for (;;) {
    if (!node->scanned) scan_directory(node, 0);
    if (node->phase == 1) {
      if (auto* entry = static_cast<DirEntry*>(list_first(node->files))) return entry;
      node->phase = 2;
    }
    auto* next = static_cast<DirNode*>(node->cursor ? list_next(node->cursor) : list_first(node->subdirs));
    node->cursor = next;
    if (next) {
      next->phase = 1;
      next->cursor = nullptr;
      node = next;
      continue;
    }
    DirNode* parent = node->parent;
    if (!parent) return nullptr;
    parent->phase = 2;
    parent->cursor = node;
    node = parent;
  }
}
}  // namespace

void node_init(DirNode* node, char* name, DirTree* tree, DirNode* parent) {
  node->name = name;
  node->tree = tree;
  node->parent = parent;
  node->scanned = 0;
  node->files = nullptr;
  node->subdirs = nullptr;
  node->phase = 1;
  node->cursor = nullptr;
  node->identity = FsIdentity{0, 0};
  node->identity_known = 0;
}

void node_release_contents(DirNode* node) {
  for (auto* entry = static_cast<DirEntry*>(list_first(node->files)); entry;
       entry = static_cast<DirEntry*>(list_next(entry))) {
    text_free(entry->name);
  }
  list_destroy(&node->files);
  for (auto* sub = static_cast<DirNode*>(list_first(node->subdirs)); sub; sub = static_cast<DirNode*>(list_next(sub))) {
    node_release_contents(sub);
  }
  list_destroy(&node->subdirs);
  text_free(node->name);
  node->name = nullptr;
}

DirTree* tree_new(const char* path, int32_t lazy) {
  if (!path || std::strlen(path) >= dir_tree_path_bytes) return nullptr;
  bool is_directory = path_is_directory(path);
  if (!is_directory && !path_is_file(path)) return nullptr;
  auto* tree = static_cast<DirTree*>(engine_alloc(sizeof(DirTree)));
  if (!tree) return nullptr;
  std::strcpy(tree->path, path);
  tree->is_file = is_directory ? 0 : 1;
  tree->sized_node = nullptr;
  tree->sized_dir = nullptr;
  tree->problems = nullptr;
  tree->root = static_cast<DirNode*>(engine_alloc(sizeof(DirNode)));
  if (!tree->root) {
    engine_free(tree, sizeof(DirTree));
    return nullptr;
  }
  node_init(tree->root, text_new(".\\"), tree, nullptr);
  if (tree->is_file ? !add_single_file(tree) : !tree->root->name) {
    tree_release(tree);
    return nullptr;
  }
  if (!tree->is_file) scan_directory(tree->root, lazy == 0 ? 1 : 0);
  return tree;
}

void tree_release(DirTree* tree) {
  if (!tree) return;
  fs_dir_close(tree->sized_dir);
  tree_release_problems(tree);
  if (tree->root) {
    node_release_contents(tree->root);
    engine_free(tree->root, sizeof(DirNode));
  }
  engine_free(tree, sizeof(DirTree));
}

bool tree_is_file(const DirTree* tree) { return tree && tree->is_file; }

const char* tree_root_path(const DirTree* tree) { return tree ? tree->path : nullptr; }

DirEntry* tree_first(DirTree* tree) {
  if (!tree || !tree->root) return nullptr;
  tree->root->phase = 1;
  tree->root->cursor = nullptr;
  return walk_from(tree->root);
}

DirEntry* tree_next(DirTree* tree, DirEntry* entry, int32_t recursive) {
  if (!tree || !entry || program.abort_requested.load(std::memory_order_relaxed)) return nullptr;
  if (auto* next = static_cast<DirEntry*>(list_next(entry))) return next;
  if (!recursive) return nullptr;
  DirNode* node = entry->dir;
  node->phase = 2;
  node->cursor = nullptr;
  return walk_from(node);
}
