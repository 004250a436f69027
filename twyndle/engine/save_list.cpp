#include "twyndle/engine/save_list.h"

#include <string>

#include "twyndle/engine/file_seam.h"
#include "twyndle/engine/ui_seam.h"

namespace {
bool state_selected(int32_t state, uint32_t flags) {
  switch (state) {
    case Equal: return flags & save_identical;
    case SizesDiffer: return flags & save_differing;
    case LeftFileOnly: return flags & save_left_only;
    case RightFileOnly: return flags & save_right_only;
    default: return false;
  }
}

std::string text_or_empty(const char* text) { return text ? text : ""; }

std::string header_line(const CompareList* list, uint32_t flags) {
  std::string line = "-- " + text_or_empty(compare_list_left_root(list));
  line += " : " + text_or_empty(compare_list_right_root(list));
  line += " -- includes ";
  if (flags & save_identical) line += "identical,";
  if (flags & save_left_only) line += "left-only,";
  if (flags & save_right_only) line += "right-only,";
  if (flags & save_differing) line += "differing";
  line += " files\n";
  return line;
}

bool write_text(FsFile* file, const std::string& text) {
  return fs_write(file, text.data(), static_cast<int32_t>(text.size()));
}

// Writes everything but the count line; false when a write failed.
bool write_items(FsFile* file, const CompareList* list, uint32_t flags, int32_t* count) {
  if (!write_text(file, header_line(list, flags))) return false;
  for (void* item = list_first(list->items); item; item = list_next(item)) {
    const auto* compare_item = static_cast<const CompareItem*>(item);
    if (!state_selected(item_state(compare_item), flags)) continue;
    if (!write_text(file, std::string(item_name(compare_item)) + "\n")) return false;
    *count += 1;
  }
  return true;
}
}  // namespace

bool save_list(const CompareList* list, const char* file_name, uint32_t flags) {
  if (!list || !file_name) return false;
  flags &= 0xF;
  FsFile* file = fs_create_write(file_name);
  if (!file) {
    ui_message((std::string("Cannot open ") + file_name).c_str(), "Juxta", MessageIcon::error);
    return false;
  }
  bool written;
  bool whole = false;
  {
    WaitCursor wait;
    int32_t count = 0;
    written = write_items(file, list, flags, &count);
    whole = written && list->complete;
    if (whole) written = write_text(file, "-- " + std::to_string(count) + " files listed\n");
    fs_close(file);
  }
  if (!written) ui_message((std::string("Cannot write ") + file_name).c_str(), "Juxta", MessageIcon::error);
  return whole && written;
}
