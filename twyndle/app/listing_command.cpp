#include "twyndle/app/listing_command.h"

#include <cstring>
#include <string>

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"
#include "twyndle/app/app_strings.h"
#include "twyndle/app/listing.h"
#include "twyndle/engine/engine_memory.h"
#include "twyndle/res/resource.h"

SaveDialogFunction save_dialog_function = GetSaveFileNameA;

namespace {
constexpr DWORD listing_path_bytes = sizeof app.listing_path;

// Asks for the file, starting from the one chosen last. False on Cancel.
bool choose_listing_path() {
  char path[listing_path_bytes];
  std::memcpy(path, app.listing_path, listing_path_bytes);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = app.main_window;
  dialog.lpstrFilter = "*.*\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = listing_path_bytes;
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
  if (!save_dialog_function(&dialog)) return false;
  path[listing_path_bytes - 1] = '\0';
  std::memcpy(app.listing_path, path, listing_path_bytes);
  return true;
}

// The listing of every row as it stands now. Its text column holds every
// line's text, whether the window shows them side by side or not.
std::string listing_of(CompareItem* item) {
  char* left = item_file_name(item, 1);
  char* right = item_file_name(item, 2);
  std::string comparing = load_text(IDS_COMPARING);
  std::string to = load_text(IDS_TO);
  ListingHeader header{comparing.c_str(), to.c_str(), left, right};
  View* view = program.current_view;
  std::string text = listing_text(header, view_row_count(view), [view](int32_t row, int32_t column) {
    return view_cell_text_placed(view, row, column, false);
  });
  text_free(left);
  text_free(right);
  return text;
}

bool write_listing(const std::string& path, const std::string& text) {
  switch (write_text_file(path, text)) {
    case WriteResult::written: return true;
    case WriteResult::cannot_open:
      app_message(app.main_window, "Cannot open " + path, "Twyndle", MB_ICONHAND);
      return false;
    case WriteResult::cannot_write:
      app_message(app.main_window, "Cannot write " + path, "Twyndle", MB_ICONHAND);
      return false;
  }
  return false;
}
}  // namespace

void write_listing_for_host() {
  AttachedInput attached;
  if (!choose_listing_path()) return;
  CompareItem* item = view_current_item(program.current_view, 0);
  if (!item) return;
  std::string path = app.listing_path;
  if (!write_listing(path, listing_of(item))) return;
  int answer = app_message(app.main_window, open_in_host_question(), "Twyndle", MB_ICONINFORMATION | MB_YESNO);
  if (answer == IDYES) post_open_request(app.host, app.main_window, path.c_str(), 0);
}
