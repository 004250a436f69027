// Listing one directory into its node. Files are kept sorted by name and
// subdirectories by their simple names, both with path_compare; among equal
// names the order of the listing is kept. Sorting the listing before the
// records are made gives the same lists as inserting each entry in front of
// the first greater one, without the quadratic cost in large directories.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "twyndle/engine/code_page.h"
#include "twyndle/engine/dir_internal.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/path_ops.h"

namespace {
struct Listed {
  std::string name;  // lower-cased
  uint32_t size;
};

bool is_dot_entry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

void list_directory(const DirNode* node, std::vector<Listed>& files, std::vector<Listed>& subdirs) {
  std::string pattern = node_directory_path(node) + "*.*";
  FsFindData data;
  FsFind* find = fs_find_first(pattern.c_str(), &data);
  if (!find) return;
  do {
    if (is_dot_entry(data.name)) continue;
    text_lower(data.name);
    if (data.attributes & fs_attr_directory) {
      subdirs.push_back({data.name, 0});
    } else {
      files.push_back({data.name, data.size_low});
    }
  } while (fs_find_next(find, &data));
  fs_find_close(find);
}

void sort_by_name(std::vector<Listed>& listed) {
  std::stable_sort(listed.begin(), listed.end(),
                   [](const Listed& a, const Listed& b) { return path_compare(a.name.c_str(), b.name.c_str()) < 0; });
}

void add_files(DirNode* node, const std::vector<Listed>& files) {
  for (const Listed& file : files) {
    auto* entry = static_cast<DirEntry*>(list_append(node->files, sizeof(DirEntry)));
    if (!entry) return;
    entry->name = text_new(file.name.c_str());
    entry->size = file.size;
    entry->dir = node;
  }
}

void add_subdirs(DirNode* node, const std::vector<Listed>& subdirs) {
  for (const Listed& subdir : subdirs) {
    auto* child = static_cast<DirNode*>(list_append(node->subdirs, sizeof(DirNode)));
    if (!child) return;
    std::string name = std::string(node->name) + subdir.name + "\\";
    node_init(child, text_new(name.c_str()), node->tree, node);
  }
}
}  // namespace

void scan_directory(DirNode* node, int32_t recursive) {
  if (!node) return;
  std::vector<Listed> files, subdirs;
  list_directory(node, files, subdirs);
  sort_by_name(files);
  sort_by_name(subdirs);
  if (!node->files) node->files = list_new();
  if (!node->subdirs) node->subdirs = list_new();
  add_files(node, files);
  add_subdirs(node, subdirs);
  node->scanned = 1;
  node->phase = 1;
  if (!recursive) return;
  for (auto* sub = static_cast<DirNode*>(list_first(node->subdirs)); sub; sub = static_cast<DirNode*>(list_next(sub))) {
    scan_directory(sub, recursive);
  }
}
