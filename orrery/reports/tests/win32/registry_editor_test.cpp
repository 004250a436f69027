// The registry-editor jump against stand-in editors made here (to see the
// keystrokes, the closing of a running editor and the bounded waits) and
// against Wine's own regedit (to see which key it shows selected).
#include "orrery/app/program_state.h"
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"
#include "orrery/reports/registry_editor.h"
#include "orrery/reports/tests/win32/window_driver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

const char kEditorClass[] = "RegEdit_RegEdit";
const char kMissingEditor[] =
    "Failed to find the REGEDIT tool.\nPlease contact Tarnwick support at support@tarnwick.example for help.";
const DWORD kBoxWaitMs = 15000;

struct Keystroke {
    UINT msg;
    WPARAM key;
    LPARAM data;
    DWORD tick;
};

// A stand-in editor on a thread of its own: a window of the editor's class
// whose first child is a key tree (or, as in Wine's editor, a plain window
// that holds the tree). It logs the keystrokes its tree gets and whether it
// was asked to close. A hanging one stops answering messages once it is up.
class CStandInEditor {
public:
    CStandInEditor(bool nestedTree, bool hang) : m_nested(nestedTree), m_hang(hang)
    {
        m_release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = std::thread([this, ready] { Run(ready); });
        ::WaitForSingleObject(ready, 5000);
        ::CloseHandle(ready);
    }
    ~CStandInEditor()
    {
        ::SetEvent(m_release);
        if (::IsWindow(m_window))
            ::PostMessageA(m_window, WM_CLOSE, 0, 0);
        m_thread.join();
        ::CloseHandle(m_release);
    }

    HWND Window() const { return m_window; }
    HWND Tree() const { return m_tree; }
    bool AskedToClose() const { return m_askedToClose; }
    std::vector<Keystroke> Keys()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_keys;
    }

private:
    static LRESULT CALLBACK MainProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<CStandInEditor*>(::GetPropA(window, "StandIn"));
        if (msg == WM_CLOSE && self)
            self->m_askedToClose = true;
        if (msg == WM_DESTROY)
            ::PostQuitMessage(0);
        return ::DefWindowProcA(window, msg, wp, lp);
    }

    static LRESULT CALLBACK TreeProc(HWND tree, UINT msg, WPARAM wp, LPARAM lp)
    {
        auto* self = reinterpret_cast<CStandInEditor*>(::GetPropA(tree, "StandIn"));
        if (msg == WM_CHAR || msg == WM_KEYDOWN) {
            std::lock_guard<std::mutex> hold(self->m_lock);
            self->m_keys.push_back({msg, wp, lp, ::GetTickCount()});
        }
        return ::CallWindowProcA(self->m_treeProc, tree, msg, wp, lp);
    }

    void Run(HANDLE ready)
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = MainProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kEditorClass;
        ::RegisterClassA(&windowClass);
        m_window = ::CreateWindowExA(0, kEditorClass, "Registry Editor", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                                     nullptr, nullptr, windowClass.hInstance, nullptr);
        ::SetPropA(m_window, "StandIn", this);
        HWND treeParent = m_window;
        if (m_nested)
            treeParent = ::CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, m_window,
                                           nullptr, nullptr, nullptr);
        m_tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, treeParent,
                                   nullptr, nullptr, nullptr);
        ::SetPropA(m_tree, "StandIn", this);
        m_treeProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(m_tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProc)));
        ::SetEvent(ready);
        if (m_hang) {
            ::WaitForSingleObject(m_release, 30000);
            ::DestroyWindow(m_window);
        }
        MSG msg;
        while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
            ::DispatchMessageA(&msg);
    }

    bool m_nested;
    bool m_hang;
    HANDLE m_release = nullptr;
    HWND m_window = nullptr;
    HWND m_tree = nullptr;
    WNDPROC m_treeProc = nullptr;
    std::atomic<bool> m_askedToClose{false};
    std::mutex m_lock;
    std::vector<Keystroke> m_keys;
    std::thread m_thread;
};

// The keystrokes as text: ">" for the right-arrow key, the character else.
std::string Typed(const std::vector<Keystroke>& keys)
{
    std::string typed;
    for (const Keystroke& key : keys)
        typed += key.msg == WM_KEYDOWN ? (key.key == VK_RIGHT ? '>' : '?') : static_cast<char>(key.key);
    return typed;
}

class RegistryJumpTest : public ::testing::Test {
protected:
    void SetUp() override { UseShell(&shell); }
    void TearDown() override { UseShell(nullptr); }

    // The shell starts a stand-in editor when it is asked for REGEDIT.EXE.
    void StartStandInEditors(bool nestedTree)
    {
        shell.onExecute = [this, nestedTree](const std::string& commandLine) {
            if (commandLine == "REGEDIT.EXE")
                editors.emplace_back(new CStandInEditor(nestedTree, false));
        };
    }

    SeenBox Jump(const std::string& path, bool* result)
    {
        return RunAnsweringBox([&] { *result = JumpToRegistryKey(path); }, "Orrery", kBoxWaitMs);
    }

    CRecordingShell shell;
    std::vector<std::unique_ptr<CStandInEditor>> editors;
};

TEST_F(RegistryJumpTest, ThePathIsTypedIntoTheKeyTreeWithAPauseAfterEachExpansion)
{
    StartStandInEditors(false);
    bool jumped = false;
    SeenBox box = Jump("HKEY_CLASSES_ROOT\\CLSID\\{0A}\\", &jumped);
    EXPECT_FALSE(box.found) << box.text;
    EXPECT_TRUE(jumped);
    EXPECT_EQ((std::vector<std::string>{"REGEDIT.EXE"}), shell.Executed());
    ASSERT_EQ(1u, editors.size());
    std::vector<Keystroke> keys = editors[0]->Keys();
    EXPECT_EQ("HKEY_CLASSES_ROOT>CLSID>{0A}>", Typed(keys));
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(1, keys[i].data) << "keystroke " << i << " comes with a repeat count of one";
        if (i > 0 && keys[i - 1].msg == WM_KEYDOWN) {
            EXPECT_GE(keys[i].tick - keys[i - 1].tick, 180u) << "pause before keystroke " << i;
        }
    }
}

TEST_F(RegistryJumpTest, AKeyTreeInsideTheFirstChildGetsTheKeystrokes)
{
    StartStandInEditors(true);
    bool jumped = false;
    Jump("HKEY_CLASSES_ROOT\\Orrery.Gauge.1\\", &jumped);
    EXPECT_TRUE(jumped);
    ASSERT_EQ(1u, editors.size());
    std::vector<Keystroke> keys = editors[0]->Keys();
    EXPECT_EQ("HKEY_CLASSES_ROOT>Orrery.Gauge.1>", Typed(keys));
    ASSERT_EQ(33u, keys.size());
    EXPECT_GE(keys[18].tick - keys[17].tick, 500u) << "the nested tree's search must have forgotten the last name";
}

TEST_F(RegistryJumpTest, ARunningEditorIsClosedAndANewOneStarted)
{
    StartStandInEditors(false);
    std::unique_ptr<CStandInEditor> running(new CStandInEditor(false, false));
    bool jumped = false;
    Jump("HKEY_CLASSES_ROOT\\A\\", &jumped);
    EXPECT_TRUE(jumped);
    EXPECT_TRUE(running->AskedToClose());
    EXPECT_TRUE(running->Keys().empty());
    ASSERT_EQ(1u, editors.size());
    EXPECT_EQ("HKEY_CLASSES_ROOT>A>", Typed(editors[0]->Keys()));
}

TEST_F(RegistryJumpTest, AnEditorThatCannotBeStartedIsReportedAtOnce)
{
    shell.executeResult = ERROR_FILE_NOT_FOUND;
    bool jumped = true;
    DWORD start = ::GetTickCount();
    SeenBox box = Jump("HKEY_CLASSES_ROOT\\A\\", &jumped);
    EXPECT_FALSE(jumped);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(kMissingEditor, box.text);
    EXPECT_EQ(nullptr, box.owner);
    EXPECT_LT(::GetTickCount() - start, 4000u) << "no look for a window that was never started";
}

TEST_F(RegistryJumpTest, AnEditorThatNeverOpensItsWindowIsGivenUpOnWithAMessage)
{
    bool jumped = true;
    SeenBox box = Jump("HKEY_CLASSES_ROOT\\A\\", &jumped);
    EXPECT_FALSE(jumped);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(kMissingEditor, box.text);
    EXPECT_EQ(nullptr, box.owner);
    EXPECT_EQ((std::vector<std::string>{"REGEDIT.EXE"}), shell.Executed());
}

TEST_F(RegistryJumpTest, AnEditorThatHangsDoesNotHangTheJump)
{
    CStandInEditor hanging(false, true);
    bool jumped = true;
    SeenBox box = Jump("HKEY_CLASSES_ROOT\\A\\", &jumped);
    EXPECT_FALSE(jumped) << "the hanging editor is not taken for the new one";
    EXPECT_TRUE(box.found);
    EXPECT_TRUE(hanging.Keys().empty());
}

const char kJumpClsid[] = "{7E570001-0000-4000-8000-0000000000A1}";
const char kJumpProgId[] = "Orrery.JumpTest.1";
const char kJumpTypeLib[] = "{7E570002-0000-4000-8000-0000000000A2}";

// Key names compare ignoring case, as the registry does (Wine names its
// library key "Typelib").
bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && lstrcmpiA(text.c_str() + text.size() - end.size(), end.c_str()) == 0;
}

// Wine's regedit, driven through the main window's jump commands for an
// object whose keys exist in the registry of the test's Wine prefix.
class WineRegeditJumpTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        for (const std::string& key : RealKeys()) {
            HKEY created = nullptr;
            ::RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                              nullptr);
            ::RegCloseKey(created);
        }
        std::string key = std::string("CLSID\\") + kJumpClsid;
        Machine().registry.SetString(key + "\\ProgID", "", kJumpProgId);
        Machine().registry.SetString(key + "\\TypeLib", "", kJumpTypeLib);
        Machine().registry.AddKey(key + "\\Control");
        OpenMainWindow();
    }
    static void TearDownTestSuite()
    {
        if (HWND editor = ::FindWindowA(kEditorClass, nullptr))
            ::SendMessageTimeoutA(editor, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
        std::vector<std::string> keys = RealKeys();
        for (auto key = keys.rbegin(); key != keys.rend(); ++key)
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, key->c_str());
        MainWindowTest::TearDownTestSuite();
    }

    // Parents before children.
    static std::vector<std::string> RealKeys()
    {
        std::string clsid = std::string("CLSID\\") + kJumpClsid;
        std::string typeLib = std::string("TypeLib\\") + kJumpTypeLib;
        return {clsid, clsid + "\\InprocServer32", kJumpProgId, std::string(kJumpProgId) + "\\CLSID", typeLib,
                typeLib + "\\1.0"};
    }

    // Runs a jump command; a failure box would be answered and reported.
    void JumpWith(UINT command)
    {
        SeenBox box = RunAnsweringBox([&] { Frame().RouteCmdMsg(command); }, "Orrery", 20000);
        EXPECT_FALSE(box.found) << box.text;
    }

    // The key the running editor shows selected, as its status bar names it.
    static std::string SelectedKey()
    {
        HWND editor = ::FindWindowA(kEditorClass, nullptr);
        HWND status = ::FindWindowExA(editor, nullptr, STATUSCLASSNAMEA, nullptr);
        return WindowTextOf(status);
    }
};

TEST_F(WineRegeditJumpTest, EachJumpLeavesTheObjectsKeySelected)
{
    Select(kJumpProgId);
    JumpWith(ID_JUMP_CLSID);
    HWND first = ::FindWindowA(kEditorClass, nullptr);
    ASSERT_NE(nullptr, first);
    EXPECT_TRUE(EndsWith(SelectedKey(), std::string("\\HKEY_CLASSES_ROOT\\CLSID\\") + kJumpClsid))
        << SelectedKey();

    JumpWith(ID_JUMP_PROGID);
    EXPECT_FALSE(::IsWindow(first)) << "the running editor was closed";
    EXPECT_NE(nullptr, ::FindWindowA(kEditorClass, nullptr));
    EXPECT_TRUE(EndsWith(SelectedKey(), std::string("\\HKEY_CLASSES_ROOT\\") + kJumpProgId)) << SelectedKey();

    JumpWith(ID_JUMP_TYPELIB);
    EXPECT_TRUE(EndsWith(SelectedKey(), std::string("\\HKEY_CLASSES_ROOT\\TypeLib\\") + kJumpTypeLib))
        << SelectedKey();
    EXPECT_EQ(Tree().GetSelectedItem(), TreeView_GetSelection(TreeControl()));
}

} // namespace
