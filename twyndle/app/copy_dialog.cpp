#include "twyndle/app/copy_dialog.h"

#include <windows.h>

#include <string>

#include "twyndle/app/app_messages.h"
#include "twyndle/app/app_state.h"
#include "twyndle/res/resource.h"

namespace {
struct CopyDialog {
  const CompareList* list;
  CopySettings* settings;
};

const char* root_of(const CompareList* list, bool left) {
  const char* root = left ? compare_list_left_root(list) : compare_list_right_root(list);
  return root ? root : "";
}

void label_only_in(HWND dialog, const CompareList* list) {
  bool left = IsDlgButtonChecked(dialog, IDC_COPY_FROM_LEFT) == BST_CHECKED;
  std::string label = std::string("Files only in ") + root_of(list, left);
  SetDlgItemTextA(dialog, IDC_COPY_ONLY_IN, label.c_str());
}

void check(HWND dialog, int control, bool on) {
  CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED);
}

void fill_dialog(HWND dialog, const CopyDialog& copy) {
  uint32_t options = copy.settings->options;
  SendDlgItemMessageA(dialog, IDC_COPY_DESTINATION, EM_LIMITTEXT, copy_destination_bytes - 1, 0);
  SetDlgItemTextA(dialog, IDC_COPY_DESTINATION, copy.settings->destination);
  SetDlgItemTextA(dialog, IDC_COPY_FROM_LEFT, root_of(copy.list, true));
  SetDlgItemTextA(dialog, IDC_COPY_FROM_RIGHT, root_of(copy.list, false));
  bool from_right = (options & copy_from_right) != 0;
  check(dialog, IDC_COPY_FROM_LEFT, !from_right);
  check(dialog, IDC_COPY_FROM_RIGHT, from_right);
  check(dialog, IDC_COPY_IDENTICAL, (options & copy_identical) != 0);
  check(dialog, IDC_COPY_DIFFERING, (options & copy_differing) != 0);
  check(dialog, IDC_COPY_ONLY_IN, (options & (copy_only_source | copy_only_source_2)) != 0);
  label_only_in(dialog, copy.list);
}

void store_choices(HWND dialog, CopySettings* settings) {
  uint32_t options = IsDlgButtonChecked(dialog, IDC_COPY_FROM_RIGHT) == BST_CHECKED ? copy_from_right : copy_from_left;
  if (IsDlgButtonChecked(dialog, IDC_COPY_IDENTICAL) == BST_CHECKED) options |= copy_identical;
  if (IsDlgButtonChecked(dialog, IDC_COPY_DIFFERING) == BST_CHECKED) options |= copy_differing;
  if (IsDlgButtonChecked(dialog, IDC_COPY_ONLY_IN) == BST_CHECKED) options |= copy_only_source;
  settings->options = options;
  GetDlgItemTextA(dialog, IDC_COPY_DESTINATION, settings->destination, copy_destination_bytes);
}

INT_PTR CALLBACK copy_dialog_procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* copy = reinterpret_cast<CopyDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lparam);
    fill_dialog(dialog, *reinterpret_cast<CopyDialog*>(lparam));
    return TRUE;
  }
  if (message != WM_COMMAND || !copy) return FALSE;
  switch (LOWORD(wparam)) {
    case IDC_COPY_FROM_LEFT:
    case IDC_COPY_FROM_RIGHT: label_only_in(dialog, copy->list); return TRUE;
    case IDOK: store_choices(dialog, copy->settings); EndDialog(dialog, IDOK); return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
  }
  return FALSE;
}
}  // namespace

bool ask_copy_settings_dialog(const CompareList* list, CopySettings* settings) {
  AttachedInput attached;
  CopyDialog copy{list, settings};
  INT_PTR result = DialogBoxParamA(app.instance, MAKEINTRESOURCEA(IDD_COPY_FILES), app.main_window,
                                   copy_dialog_procedure, reinterpret_cast<LPARAM>(&copy));
  return result == IDOK;
}
