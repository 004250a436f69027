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

void list_directory(const DirNode* node, Listing& listing) {
  std::string pattern = node_directory_path(node) + "*.*";
  FsFindData data;
  FsFind* find = fs_find_first_names(pattern.c_str(), &data);
  if (!find) return;
  do {
    if (is_dot_entry(data.name)) continue;
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
  list_directory(node, listing);
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
