// Copying the files of chosen compare items from one root into a
// destination directory, rebuilding their relative directories.
#pragma once

#include <atomic>
#include <cstdint>

#include "twyndle/engine/compare_list.h"
#include "twyndle/engine/dir_tree.h"

// CopyOptions bits.
enum : uint32_t {
  copy_identical = 0x1,      // Equal items
  copy_differing = 0x2,      // SizesDiffer items
  copy_only_source = 0x4,    // items whose only file is on the source side
  copy_only_source_2 = 0x8,  // counts like copy_only_source
  copy_from_left = 0x100,    // the source is the left root
  copy_from_right = 0x200,   // the source is the right root
};

constexpr uint32_t copy_destination_bytes = 257;

struct CopySettings {
  uint32_t options;                          // CopyOptions; exactly one of the two source bits
  char destination[copy_destination_bytes];  // up to 256 characters
};

// The user's last choices, kept for the whole run; initially options 0x106
// and an empty destination.
extern CopySettings copy_settings;
// Files copied successfully by the current or last copy_files.
extern std::atomic<int32_t> files_copied;

// What copying needs of the main window: its copy dialog and status bar.
class CopyHost {
 public:
  // Shows the copy dialog over `settings` for the list's two roots; true
  // when the user chose OK (the settings then hold the choices), false on
  // Cancel.
  virtual bool ask_copy_settings(const CompareList* list, CopySettings* settings) = 0;
  // Puts a text into the status bar; none clears it.
  virtual void show_status(const char* text) = 0;

 protected:
  ~CopyHost() = default;
};

// Asks for the settings until the user cancels (nothing is copied: false)
// or gives a destination, then copies every chosen item, asking on each
// failure whether to go on, and reports the count. True when it ran.
bool copy_files(CompareList* list, CopyHost* host);

// Copies one file into the destination under its relative name, making
// the directories on the way; the copy gets the source's times and
// attributes. Counts and returns whether the copy succeeded.
bool copy_entry(DirEntry* entry, const char* destination);
