// Listing one directory into its node. Files are kept sorted by name and
// subdirectories by their simple names, both with path_compare; among equal
// names the order of the listing is kept. Sorting the listing before the
// records are made gives the same lists as inserting each entry in front of
// the first greater one, without the quadratic cost in large directories.
//
// What cannot be compared is left out and noted on the tree: a directory
// that cannot be listed, an entry that is neither a file nor a directory
// (a pipe would hang the reader), and a directory that is one of its own
// ancestors, reached through a link or a junction (the walk would go round
// for ever). Links to files and other links to directories are followed.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "twyndle/engine/code_page.h"
#include "twyndle/engine/dir_internal.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/scan_problems.h"

namespace {
// One directory's listing: the names, lower-cased and NUL-terminated one
// after another in `names`, and the files and subdirectories found.
struct Listing {
  struct Listed {
    uint32_t offset;      // of the name in `names`
    uint64_t size;        // a file's size in bytes
    uint32_t size_known;  // 0: left out by the listing
    bool plain;           // the name holds no backslash
  };
  std::string names;
  std::vector<Listed> files, subdirs;

  const char* name(const Listed& listed) const { return names.data() + listed.offset; }
};

bool is_dot_entry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// The directory's path as the user would type it: without the separator
// that node_directory_path adds, and the root as it was given.
std::string shown_path(const DirNode* node) {
  if (!node->parent) return node->tree->path;
  std::string path = node_directory_path(node);
  path.pop_back();
  return path;
}

// True when the directory is one of its own ancestors: a link or junction
// back up its path. Reads the node's identity on the way.
bool closes_loop(DirNode* node) {
  node->identity_known = fs_directory_identity(node_directory_path(node).c_str(), &node->identity) ? 1 : 0;
  if (!node->identity_known) return false;
  for (const DirNode* above = node->parent; above; above = above->parent) {
    if (above->identity_known && above->identity == node->identity) return true;
  }
  return false;
}

// Lists the directory; false when it cannot be listed.
bool list_directory(DirNode* node, Listing& listing) {
  std::string directory = node_directory_path(node);
  std::string pattern = directory + "*.*";
  FsFindData data;
  bool refused = false;
  FsFind* find = fs_find_first_names(pattern.c_str(), &data, &refused);
  if (!find) return !refused;
  do {
    if (is_dot_entry(data.name)) continue;
    if (data.attributes & fs_attr_device) {
      tree_note_problem(node->tree, problem_not_regular, std::string(node->name) + data.name, directory + data.name);
      continue;
    }
    text_lower(data.name);
    Listing::Listed listed = {static_cast<uint32_t>(listing.names.size()), data.size, data.size_known,
                              std::strchr(data.name, '\\') == nullptr};
    listing.names.append(data.name).push_back('\0');
    if (data.attributes & fs_attr_directory) {
      listed.size = 0;
      listing.subdirs.push_back(listed);
    } else {
      listing.files.push_back(listed);
    }
  } while (fs_find_next(find, &data));
  fs_find_close(find);
  return true;
}

// Lists the node unless it closes a loop; notes what it cannot list.
void list_node(DirNode* node, Listing& listing) {
  if (closes_loop(node)) {
    tree_note_problem(node->tree, problem_loop, node->name, shown_path(node));
  } else if (!list_directory(node, listing)) {
    tree_note_problem(node->tree, problem_unreadable, node->name, shown_path(node));
  }
}

// path_compare for two names without backslashes: bytes compared as signed
// values, a name that ends first sorts first.
bool plain_before(const char* a, const char* b) {
  while (*a && *a == *b) {
    ++a;
    ++b;
  }
  if (!*b) return false;
  if (!*a) return true;
  return static_cast<signed char>(*a) < static_cast<signed char>(*b);
}

void sort_by_name(const Listing& listing, std::vector<Listing::Listed>& listed) {
  std::stable_sort(listed.begin(), listed.end(), [&listing](const Listing::Listed& a, const Listing::Listed& b) {
    if (a.plain && b.plain) return plain_before(listing.name(a), listing.name(b));
    return path_compare(listing.name(a), listing.name(b)) < 0;
  });
}

void add_files(DirNode* node, const Listing& listing) {
  for (const Listing::Listed& file : listing.files) {
    auto* entry = static_cast<DirEntry*>(list_append(node->files, sizeof(DirEntry)));
    if (!entry) return;
    entry->name = text_new(listing.name(file));
    entry->size = file.size;
    entry->size_pending = file.size_known ? 0 : 1;
    entry->unreadable = 0;
    entry->dir = node;
  }
}

void add_subdirs(DirNode* node, const Listing& listing) {
  std::string name;
  for (const Listing::Listed& subdir : listing.subdirs) {
    auto* child = static_cast<DirNode*>(list_append(node->subdirs, sizeof(DirNode)));
    if (!child) return;
    name.assign(node->name).append(listing.name(subdir)).push_back('\\');
    node_init(child, text_new(name.c_str()), node->tree, node);
  }
}
}  // namespace

void scan_directory(DirNode* node, int32_t recursive) {
  if (!node) return;
  Listing listing;
  list_node(node, listing);
  sort_by_name(listing, listing.files);
  sort_by_name(listing, listing.subdirs);
  if (!node->files) node->files = list_new();
  if (!node->subdirs) node->subdirs = list_new();
  add_files(node, listing);
  add_subdirs(node, listing);
  node->scanned = 1;
  node->phase = 1;
  if (!recursive) return;
  for (auto* sub = static_cast<DirNode*>(list_first(node->subdirs)); sub; sub = static_cast<DirNode*>(list_next(sub))) {
    scan_directory(sub, recursive);
  }
}
