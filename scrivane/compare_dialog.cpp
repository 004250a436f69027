#include "scrivane/compare_dialog.h"

#include <commdlg.h>
#include <shlobj.h>

#include <string>

#include "scrivane/resource.h"
#include "scrivane/ui_messages.h"

namespace scrivane {

namespace {

struct CheckBinding {
  int control;
  bool CompareChoice::*flag;
};

const CheckBinding check_bindings[] = {
    {IDC_COLOUR_MARKS, &CompareChoice::colour_marks},
    {IDC_SIDE_BY_SIDE, &CompareChoice::side_by_side},
    {IDC_IGNORE_BLANKS, &CompareChoice::ignore_blanks},
    {IDC_ONLY_CHANGES, &CompareChoice::only_changes},
};

std::string control_text(HWND dialog, int control) {
  HWND item = GetDlgItem(dialog, control);
  std::string text(GetWindowTextLengthA(item) + 1, '\0');
  text.resize(GetWindowTextA(item, &text[0], static_cast<int>(text.size())));
  return text;
}

void fill_dialog(HWND dialog, const CompareChoice& choice) {
  CheckRadioButton(dialog, IDC_TWO_FILES, IDC_TWO_DIRECTORIES,
                   choice.directories ? IDC_TWO_DIRECTORIES : IDC_TWO_FILES);
  SetDlgItemTextA(dialog, IDC_LEFT_PATH, choice.left.c_str());
  SetDlgItemTextA(dialog, IDC_RIGHT_PATH, choice.right.c_str());
  for (const CheckBinding& binding : check_bindings) {
    CheckDlgButton(dialog, binding.control, choice.*binding.flag ? BST_CHECKED : BST_UNCHECKED);
  }
}

CompareChoice read_dialog(HWND dialog) {
  CompareChoice choice;
  choice.directories = IsDlgButtonChecked(dialog, IDC_TWO_DIRECTORIES) == BST_CHECKED;
  choice.left = control_text(dialog, IDC_LEFT_PATH);
  choice.right = control_text(dialog, IDC_RIGHT_PATH);
  for (const CheckBinding& binding : check_bindings) {
    choice.*binding.flag = IsDlgButtonChecked(dialog, binding.control) == BST_CHECKED;
  }
  return choice;
}

bool browse_file(HWND dialog, std::string& path) {
  char file[MAX_PATH] = "";
  lstrcpynA(file, clean_path_text(path).c_str(), sizeof file);
  OPENFILENAMEA open = {};
  open.lStructSize = sizeof open;
  open.hwndOwner = dialog;
  open.lpstrFilter = "All files (*.*)\0*.*\0";
  open.lpstrFile = file;
  open.nMaxFile = sizeof file;
  open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetOpenFileNameA(&open)) return false;
  path = file;
  return true;
}

bool browse_folder(HWND dialog, std::string& path) {
  char folder[MAX_PATH] = "";
  BROWSEINFOA browse = {};
  browse.hwndOwner = dialog;
  browse.pszDisplayName = folder;
  browse.lpszTitle = "Choose a directory to compare";
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST item = SHBrowseForFolderA(&browse);
  if (!item) return false;
  bool found = SHGetPathFromIDListA(item, folder) != FALSE;
  CoTaskMemFree(item);
  if (found) path = folder;
  return found;
}

void browse(HWND dialog, int edit_control) {
  std::string path = control_text(dialog, edit_control);
  bool directories = IsDlgButtonChecked(dialog, IDC_TWO_DIRECTORIES) == BST_CHECKED;
  if (directories ? browse_folder(dialog, path) : browse_file(dialog, path)) {
    SetDlgItemTextA(dialog, edit_control, path.c_str());
  }
}

// Compare pressed: accepted only with a left path.
void accept(HWND dialog) {
  CompareChoice choice = read_dialog(dialog);
  if (clean_path_text(choice.left).empty()) {
    show_message(dialog, "Please enter the left path.", MB_ICONINFORMATION);
    SetFocus(GetDlgItem(dialog, IDC_LEFT_PATH));
    return;
  }
  *reinterpret_cast<CompareChoice*>(GetWindowLongPtrA(dialog, DWLP_USER)) = choice;
  EndDialog(dialog, IDOK);
}

INT_PTR CALLBACK compare_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lparam);
      fill_dialog(dialog, *reinterpret_cast<CompareChoice*>(lparam));
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK: accept(dialog); return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        case IDC_LEFT_BROWSE: browse(dialog, IDC_LEFT_PATH); return TRUE;
        case IDC_RIGHT_BROWSE: browse(dialog, IDC_RIGHT_PATH); return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

bool run_compare_dialog(HINSTANCE instance, HWND owner, CompareChoice& choice) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_COMPARE), owner, compare_dialog_proc,
                         reinterpret_cast<LPARAM>(&choice)) == IDOK;
}

}  // namespace scrivane
