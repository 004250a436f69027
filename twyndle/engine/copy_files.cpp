#include "twyndle/engine/copy_files.h"

#include <cstdio>
#include <string>

#include "twyndle/engine/code_page.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/engine/file_seam.h"
#include "twyndle/engine/path_ops.h"
#include "twyndle/engine/program_state.h"
#include "twyndle/engine/ui_seam.h"

CopySettings copy_settings = {copy_from_left | copy_only_source | copy_differing, ""};
std::atomic<int32_t> files_copied{0};

namespace {
// Appends each directory of a relative name (.\sub\x.c gives sub\) to the
// target, creating the ones that do not exist. False when one cannot be made.
bool make_directories(std::string& target, const char* relative) {
  const char* start = relative;
  for (const char* c = relative; *c; ++c) {
    if (is_lead_byte(static_cast<unsigned char>(*c))) {
      if (!c[1]) break;
      ++c;
      continue;
    }
    if (*c != '\\') continue;
    std::string component(start, c + 1);
    start = c + 1;
    if (component == ".\\") continue;
    target += component;
    if (!path_is_directory(target.c_str()) && !fs_create_directory(target.c_str())) return false;
  }
  return true;
}

// The target gets the source's three times, then its attributes.
void copy_times_and_attributes(const char* source, const char* target) {
  FsTimes times;
  uint32_t attributes = fs_attributes(source);
  if (fs_get_times(source, &times)) fs_set_times(target, &times);
  if (attributes != fs_attr_invalid) fs_set_attributes(target, attributes);
}
}  // namespace

bool copy_entry(DirEntry* entry, const char* destination) {
  if (!entry || !destination || !path_is_directory(destination)) return false;
  std::string target = destination;
  if (!path_ends_in_separator(destination)) target += '\\';
  char* relative = entry_relative_name(entry);
  bool made = relative && make_directories(target, relative);
  text_free(relative);
  if (!made) return false;
  target += entry_name(entry);
  char* source = entry_full_path(entry);
  bool copied = source && fs_copy_file(source, target.c_str());
  // Only a file that was copied takes the source's times: stamping a file
  // left over from before would make it look up to date when it is not.
  if (copied) copy_times_and_attributes(source, target.c_str());
  entry_free_path(entry, source);
  if (copied) files_copied += 1;
  return copied;
}

namespace {
bool ask_settings(const CompareList* list, CopyHost* host) {
  for (;;) {
    if (!host->ask_copy_settings(list, &copy_settings)) return false;
    copy_settings.destination[copy_destination_bytes - 1] = '\0';
    if (copy_settings.destination[0]) return true;
    ui_message("Please enter the directory name", "Juxta", MessageIcon::error);
  }
}

// The file of the item to copy under the current options, or none.
DirEntry* chosen_source(const CompareItem* item, uint32_t options) {
  bool from_left = (options & copy_from_left) != 0;
  bool only_source = (options & (copy_only_source | copy_only_source_2)) != 0;
  switch (item_state(item)) {
    case Equal: if (!(options & copy_identical)) return nullptr; break;
    case SizesDiffer: if (!(options & copy_differing)) return nullptr; break;
    case LeftFileOnly: if (!from_left || !only_source) return nullptr; break;
    case RightFileOnly: if (from_left || !only_source) return nullptr; break;
    default: return nullptr;
  }
  return source_entry(from_left ? item_left_file(item) : item_right_file(item));
}

// Copies one chosen file; false when the user cancels after a failure.
bool copy_one(DirEntry* entry) {
  if (copy_entry(entry, copy_settings.destination)) return true;
  char* relative = entry_relative_name(entry);
  std::string text = std::string("failed to copy ") + (relative ? relative : "");
  text_free(relative);
  return ui_message(text.c_str(), "Error", MessageIcon::error, MessageButtons::ok_cancel) != MessageAnswer::cancel;
}

void copy_chosen_items(const CompareList* list, CopyHost* host) {
  for (void* item = list_first(list->items); item; item = list_next(item)) {
    if (program.abort_requested) return;
    DirEntry* entry = chosen_source(static_cast<const CompareItem*>(item), copy_settings.options);
    if (!entry) continue;
    if (!copy_one(entry)) return;
    char status[64];
    std::snprintf(status, sizeof status, "%4d files requested. Copying...", files_copied.load());
    host->show_status(status);
    if (program.abort_requested) {
      ui_message("Copy Aborted", "Juxta", MessageIcon::information, MessageButtons::ok, true);
      return;
    }
  }
}
}  // namespace

bool copy_files(CompareList* list, CopyHost* host) {
  if (!list || !host || !ask_settings(list, host)) return false;
  uint32_t start = tick_count();
  files_copied = 0;
  copy_chosen_items(list, host);
  elapsed_ticks_since(start);
  std::string done = "Copy Complete " + std::to_string(files_copied.load()) + " files copied";
  ui_message(done.c_str(), "Juxta", MessageIcon::information, MessageButtons::ok, true);
  host->show_status(nullptr);
  return true;
}
