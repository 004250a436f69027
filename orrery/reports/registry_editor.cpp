#include "orrery/reports/registry_editor.h"

#include "orrery/app/shell.h"
#include "orrery/reports/registry_jump.h"

#include <windows.h>
#include <commctrl.h>

const char kRegistryEditorMissing[] =
    "Failed to find the REGEDIT tool.\n"
    "Please contact Tarnwick support at support@tarnwick.example for help.";

namespace {

const char kEditorCommand[] = "REGEDIT.EXE";
const char kEditorClass[] = "RegEdit_RegEdit";

// After the start the editor gets a moment, then up to fifty looks for its
// window, a tenth of a second apart.
const DWORD kFirstLookDelay = 100;
const DWORD kLookInterval = 100;
const int kLooks = 50;

// The pause after each expansion. An editor whose key tree is its first
// child gets the short one. Where the tree sits deeper (Wine's editor), its
// incremental search joins characters typed less than about half a second
// apart, so the pause must outlast that or the next key name would be
// searched for as the continuation of the last one.
const DWORD kExpansionPause = 200;
const DWORD kNestedTreeExpansionPause = 600;

// A message to the editor that is not answered within this time is given
// up: an editor that hangs must not hang us.
const UINT kAnswerTimeout = 5000;

struct CEditorWindows {
    HWND main = nullptr;
    HWND keys = nullptr;     // the window the keystrokes go to
    bool nestedTree = false;
};

bool SendToEditor(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, msg, wp, lp, SMTO_ABORTIFHUNG, kAnswerTimeout, &result) != 0;
}

bool IsTreeView(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, WC_TREEVIEWA) == 0;
}

BOOL CALLBACK FindTreeView(HWND window, LPARAM found)
{
    if (!IsTreeView(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The first editor window that is not the one closed before the start.
HWND FindEditorWindow(HWND closed)
{
    HWND window = nullptr;
    do {
        window = ::FindWindowExA(nullptr, window, kEditorClass, nullptr);
    } while (window && window == closed);
    return window;
}

// Closes a running editor; returns its window, which may linger a moment.
HWND CloseRunningEditor()
{
    HWND running = ::FindWindowA(kEditorClass, nullptr);
    if (running)
        SendToEditor(running, WM_CLOSE, 0, 0);
    return running;
}

// The keystrokes go to the first child. When that is not the key tree
// itself, they go to the first key tree inside the editor.
void SettleKeyWindow(CEditorWindows* editor, HWND firstChild)
{
    editor->keys = firstChild;
    editor->nestedTree = false;
    if (IsTreeView(firstChild))
        return;
    HWND tree = nullptr;
    ::EnumChildWindows(editor->main, FindTreeView, reinterpret_cast<LPARAM>(&tree));
    if (tree) {
        editor->keys = tree;
        editor->nestedTree = true;
    }
}

bool StartEditor(CEditorWindows* editor)
{
    HWND closed = CloseRunningEditor();
    if (Shell().Execute(kEditorCommand, SW_SHOW) < 32)
        return false;
    ::Sleep(kFirstLookDelay);
    for (int look = 0; look < kLooks; ++look) {
        HWND window = FindEditorWindow(closed);
        HWND firstChild = window ? ::GetWindow(window, GW_CHILD) : nullptr;
        if (firstChild) {
            editor->main = window;
            SettleKeyWindow(editor, firstChild);
            return true;
        }
        ::Sleep(kLookInterval);
    }
    return false;
}

// A keystroke as the keyboard would send it: repeat count 1.
const LPARAM kKeyData = 1;

void TypePath(const CEditorWindows& editor, const std::string& path)
{
    DWORD pause = editor.nestedTree ? kNestedTreeExpansionPause : kExpansionPause;
    for (const orrery::CKeystroke& keystroke : orrery::KeystrokesForPath(path)) {
        bool answered = keystroke.expand
                            ? SendToEditor(editor.keys, WM_KEYDOWN, VK_RIGHT, kKeyData)
                            : SendToEditor(editor.keys, WM_CHAR, static_cast<BYTE>(keystroke.character), kKeyData);
        if (!answered)
            return;
        if (keystroke.expand)
            ::Sleep(pause);
    }
}

} // namespace

bool JumpToRegistryKey(const std::string& path)
{
    CEditorWindows editor;
    if (!StartEditor(&editor)) {
        ::MessageBoxA(nullptr, kRegistryEditorMissing, "Orrery", MB_OK | MB_ICONWARNING);
        return false;
    }
    ::SetForegroundWindow(editor.main);
    TypePath(editor, path);
    return true;
}
