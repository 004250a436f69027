#include "twyndle/engine/compare_list.h"

#include <chrono>
#include <string>

#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/name_compare.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/scan_problems.h"
#include "twyndle/engine/ui_seam.h"

uint32_t tick_count() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void elapsed_ticks_since(uint32_t start_ticks) { program.elapsed_ticks = tick_count() - start_ticks; }


CompareList* compare_list_new() {
  auto* list = static_cast<CompareList*>(engine_alloc(sizeof(CompareList)));
  if (!list) return nullptr;
  list->items = list_new();
  if (!list->items) {
    engine_free(list, sizeof(CompareList));
    return nullptr;
  }
  return list;
}

void compare_list_release(CompareList* list) {
  if (!list) return;
  for (void* item = list_first(list->items); item; item = list_next(item)) {
    item_release(static_cast<CompareItem*>(item));
  }
  list_destroy(&list->items);
  tree_release(list->left);
  tree_release(list->right);
  engine_free(list, sizeof(CompareList));
}

BlockList* compare_list_items(const CompareList* list) { return list ? list->items : nullptr; }
const char* compare_list_left_root(const CompareList* list) { return list ? tree_root_path(list->left) : nullptr; }
const char* compare_list_right_root(const CompareList* list) { return list ? tree_root_path(list->right) : nullptr; }
int32_t compare_list_complete(const CompareList* list) { return list ? list->complete : 0; }
int32_t compare_list_aborted(const CompareList* list) { return list ? list->aborted : 0; }

namespace {
DirTree* find_root(const char* path) {
  DirTree* tree = tree_new(path, 1);
  if (!tree) {
    std::string text = std::string("Couldn't find ") + (path ? path : "");
    ui_message(text.c_str(), "Error", MessageIcon::error);
  }
  return tree;
}

// One walk over a tree, keeping the current entry's relative name (as
// entry_relative_name makes it) in a buffer of its own.
struct Walk {
  DirTree* tree;
  int32_t recursive;
  DirEntry* entry;
  std::string name;
  bool named;  // name holds the entry's relative name (its texts are there)

  Walk(DirTree* walked, int32_t deep) : tree(walked), recursive(deep), entry(tree_first(walked)) { name_entry(); }

  void advance() {
    entry = tree_next(tree, entry, recursive);
    name_entry();
  }
  const char* name_or_none() const { return named ? name.c_str() : nullptr; }

 private:
  void name_entry() {
    named = entry && entry->dir && entry->dir->name && entry->name;
    if (named) name.assign(entry->dir->name).append(entry->name);
  }
};

// Pairs the list's items while telling the receiver; the builder notes an
// item that could not be made.
struct Pairing {
  CompareList* list;
  ListReceiver* receiver;
  bool lost_item;

  // Makes the item and tells the receiver; true when it asks to stop.
  bool added(CompareItem* item) {
    if (!item) lost_item = true;
    return receiver && receiver->items_added() != 0;
  }
  // A file on one side only is an item unless the other side's directory
  // for it could not be read: then nobody knows, and the user is told.
  // After an abort no item is made: its bytes would go unread, and the
  // pairing stops anyway.
  bool add(const Walk* left, const Walk* right) {
    if (program.abort_requested) return true;
    if (!left && tree_unread_covers(list->left, right->name_or_none())) return false;
    if (!right && tree_unread_covers(list->right, left->name_or_none())) return false;
    return added(item_new_named(left ? left->entry : nullptr, left ? left->name_or_none() : nullptr,
                                right ? right->entry : nullptr, right ? right->name_or_none() : nullptr, list->items,
                                true));
  }
  bool add_entries(DirEntry* left, DirEntry* right) { return added(item_new(left, right, list->items, true)); }
};

// A single file on one side against a walk of the other: the entry whose
// relative name equals the file's, ignoring case, or none.
DirEntry* find_counterpart(DirEntry* file, DirTree* tree, int32_t recursive) {
  char* wanted = entry_relative_name(file);
  Walk walk(tree, recursive);
  while (walk.entry && !names_equal_ignoring_case(walk.name_or_none(), wanted)) walk.advance();
  text_free(wanted);
  return walk.entry;
}

// Both roots directories: the two sorted walks side by side. Returns 0 on
// an abort, whether the receiver answered it or it cut a walk short.
int32_t pair_directories(Pairing& pairing, int32_t recursive) {
  Walk p(pairing.list->left, recursive);
  Walk q(pairing.list->right, recursive);
  while (p.entry && q.entry) {
    int order = path_compare(p.name_or_none(), q.name_or_none());
    if (pairing.add(order <= 0 ? &p : nullptr, order >= 0 ? &q : nullptr)) return 0;
    if (order <= 0) p.advance();
    if (order >= 0) q.advance();
    if (program.abort_requested) return 0;
  }
  for (; p.entry; p.advance()) {
    if (pairing.add(&p, nullptr) || program.abort_requested) return 0;
  }
  for (; q.entry; q.advance()) {
    if (pairing.add(nullptr, &q) || program.abort_requested) return 0;
  }
  return program.abort_requested ? 0 : 1;
}

// A single file against a walk of the other root. After an abort no item
// is made: a file not found may lie where the search did not reach, and a
// counterpart found would not have its bytes read.
int32_t pair_file_with_walk(Pairing& pairing, DirEntry* file, DirTree* walked, int32_t recursive, bool file_is_left) {
  DirEntry* counterpart = find_counterpart(file, walked, recursive);
  if (program.abort_requested) return 0;
  if (!counterpart) {
    char* relative = entry_relative_name(file);
    bool unknown = tree_unread_covers(walked, relative);
    text_free(relative);
    if (unknown) return 1;
  }
  pairing.add_entries(file_is_left ? file : counterpart, file_is_left ? counterpart : file);
  return program.abort_requested ? 0 : 1;
}

int32_t pair_roots(Pairing& pairing, int32_t recursive) {
  DirTree* left = pairing.list->left;
  DirTree* right = pairing.list->right;
  if (tree_is_file(left) && tree_is_file(right)) {
    pairing.add_entries(tree_first(left), tree_first(right));
    return 1;
  }
  if (tree_is_file(left)) return pair_file_with_walk(pairing, tree_first(left), right, recursive, true);
  if (tree_is_file(right)) return pair_file_with_walk(pairing, tree_first(right), left, recursive, false);
  return pair_directories(pairing, recursive);
}
}  // namespace

int32_t pair_trees(CompareList* list, ListReceiver* receiver, int32_t recursive) {
  if (!list || !list->left || !list->right) return 0;
  uint32_t start = tick_count();
  Pairing pairing = {list, receiver, false};
  int32_t finished = pair_roots(pairing, recursive);
  elapsed_ticks_since(start);
  bool unread = tree_has_unread(list->left) || tree_has_unread(list->right);
  list->complete = finished && !pairing.lost_item && !unread ? 1 : 0;
  list->aborted = finished ? 0 : 1;
  return finished;
}

CompareList* compare_paths(const char* left_path, const char* right_path, ListReceiver* receiver,
                           int32_t recursive) {
  CompareList* list = compare_list_new();
  if (!list) return nullptr;
  list->left = find_root(left_path);
  list->right = list->left ? find_root(right_path) : nullptr;
  if (!list->right) {
    compare_list_release(list);
    return nullptr;
  }
  if (receiver) receiver->attach_list(list);
  pair_trees(list, receiver, recursive);
  std::string report = scan_report(list->left, list->right);
  if (!report.empty()) ui_message(report.c_str(), "Twyndle", MessageIcon::warning);
  return list;
}
