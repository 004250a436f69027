#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"

#include <cstdio>
#include <ostream>

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

std::string ClipboardText()
{
    if (!::OpenClipboard(nullptr))
        return "<clipboard not opened>";
    HANDLE data = ::GetClipboardData(CF_TEXT);
    std::string text = data ? static_cast<const char*>(::GlobalLock(data)) : "";
    if (data)
        ::GlobalUnlock(data);
    ::CloseClipboard();
    return text;
}

std::ostream& operator<<(std::ostream& out, const AttributeRow& row)
{
    return out << "{" << row.label << ", " << row.value << ", " << row.image << "}";
}

std::vector<AttributeRow> ListRows(HWND list)
{
    std::vector<AttributeRow> rows;
    int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({controls::ListItemText(list, row, 0), controls::ListItemText(list, row, 1), item.iImage});
    }
    return rows;
}

std::vector<std::string> TreeChildTexts(HWND tree, HTREEITEM parent)
{
    std::vector<std::string> texts;
    HTREEITEM child = parent == TVI_ROOT ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
    for (; child; child = TreeView_GetNextSibling(tree, child))
        texts.push_back(controls::TreeItemText(tree, child));
    return texts;
}

HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text)
{
    HTREEITEM child = parent == TVI_ROOT ? TreeView_GetRoot(tree) : TreeView_GetChild(tree, parent);
    for (; child; child = TreeView_GetNextSibling(tree, child)) {
        if (controls::TreeItemText(tree, child) == text)
            return child;
    }
    return nullptr;
}

std::pair<int, int> TreeItemImages(HWND tree, HTREEITEM item)
{
    TVITEMA data = {};
    data.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    data.hItem = item;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
    return {data.iImage, data.iSelectedImage};
}

namespace {

void AppendOutline(HWND tree, HTREEITEM parent, int depth, std::string& out)
{
    for (const std::string& text : TreeChildTexts(tree, parent)) {
        out += std::string(depth * 2, ' ') + text + "\n";
        AppendOutline(tree, FindChild(tree, parent, text), depth + 1, out);
    }
}

void AddClass(orrery::CMemoryRegistry& registry, const std::string& clsid, const char* progId,
              const char* serverKey, const std::string& server)
{
    std::string key = "CLSID\\" + clsid;
    registry.AddKey(key);
    if (progId) {
        registry.SetString(key + "\\ProgID", "", progId);
        registry.SetString(progId, "", std::string(progId) + " object");
        registry.SetString(std::string(progId) + "\\CLSID", "", clsid);
    }
    registry.SetString(key + "\\" + serverKey, "", server);
}

} // namespace

std::string TreeOutline(HWND tree, HTREEITEM parent)
{
    std::string out;
    AppendOutline(tree, parent, 0, out);
    return out;
}

void AddSampleClasses(orrery::CMemoryPlatform& machine)
{
    orrery::CMemoryRegistry& registry = machine.registry;
    AddClass(registry, kGaugeClsid, "Orrery.Gauge.1", "InprocServer32", "C:\\lib\\gauge.ocx");
    registry.AddKey("CLSID\\" + kGaugeClsid + "\\Control");
    registry.SetString("CLSID\\" + kGaugeClsid + "\\TypeLib", "", kGaugeLibrary);
    registry.SetString("CLSID\\" + kGaugeClsid + "\\Version", "", "1.0");
    registry.SetString("CLSID\\" + kGaugeClsid + "\\ToolboxBitmap32", "", "C:\\lib\\gauge.ocx, 1");
    registry.SetString("TypeLib\\" + kGaugeLibrary + "\\1.0", "", "Gauge Library");
    registry.AddKey("TypeLib\\" + kGaugeLibrary + "\\1.0\\0\\win32");
    machine.files.AddFile("C:\\lib\\gauge.ocx", 12345);
    orrery::CVersionFixture version;
    version.strings = {{"FileDescription", "Gauge Control"}, {"CompanyName", "Tarnwick"},
                       {"FileVersion", "1.0.0.7"}, {"ProductName", "Orrery Samples"}};
    machine.versions.SetVersion("C:\\lib\\gauge.ocx", version);

    AddClass(registry, kDialClsid, "Orrery.Dial", "InprocServer32", "C:\\lib\\dial.dll");
    registry.AddKey("CLSID\\" + kDialClsid + "\\Control");

    AddClass(registry, kEngineClsid, "Orrery.Engine", "InprocServer32", "C:\\lib\\engine.dll");
    machine.files.AddFile("C:\\lib\\engine.dll", 2048);
    AddClass(registry, kCodecClsid, "Alpha.Codec", "InprocServer32", "C:\\lib\\codec.dll");
    machine.files.AddFile("C:\\lib\\codec.dll", 4096);

    AddClass(registry, kServerClsid, "Orrery.Server", "LocalServer32", "C:\\apps\\server.exe /automation");
    registry.SetString("CLSID\\" + kServerClsid, "", "Orrery Server Application");
    registry.SetString("CLSID\\" + kServerClsid, "AppID", kServerAppId);
    registry.SetString("AppID\\" + kServerAppId, "", "Orrery Server");
    registry.AddKey("AppID\\" + kServerAppId + "\\Launch");
    machine.files.AddFile("C:\\apps\\server.exe", 65536);

    AddClass(registry, kHiddenClsid, nullptr, "InprocServer32", "C:\\lib\\hidden.dll");
    machine.files.AddFile("C:\\lib\\hidden.dll", 10);
}

orrery::CMemoryPlatform* MainWindowTest::s_machine = nullptr;
CQuillonApp* MainWindowTest::s_app = nullptr;
CSplitterFrame* MainWindowTest::s_frame = nullptr;

namespace {

// A fault ends the test program at once with a line saying where, instead
// of waiting for a debugger that nobody watches.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* exception)
{
    std::fprintf(stderr, "crashed: exception %08lx at %p\n", exception->ExceptionRecord->ExceptionCode,
                 exception->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ::ExitProcess(3);
    return EXCEPTION_EXECUTE_HANDLER;
}

} // namespace

void MainWindowTest::SetUpTestSuite()
{
    ::SetUnhandledExceptionFilter(ReportCrash);
    INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&common);
    Options() = COptions();
    SetLayoutSuspended(true);
    s_machine = new orrery::CMemoryPlatform;
    s_app = new CQuillonApp;
}

void MainWindowTest::OpenMainWindow(bool liveMachine)
{
    if (s_frame)
        return;
    UseMachine(liveMachine ? nullptr : &s_machine->Get());
    ASSERT_TRUE(s_app->CreateMainWindow());
    s_frame = s_app->MainFrame();
    ASSERT_NE(nullptr, s_frame);
    PumpMessages();
}

void MainWindowTest::SetUp()
{
    if (!s_frame)
        return;
    Options() = COptions();
    if (!::IsWindowVisible(Frame().GetToolBar().GetSafeHwnd()))
        Frame().RouteCmdMsg(ID_VIEW_TOOLBAR);
    ::SendMessageA(Tree().GetTabs(), TCM_SETCURSEL, 0, 0);
    Tree().RefreshCatalogue(false, nullptr);
    Frame().SetActiveView(&Tree());
    Frame().ShowIdleMessage();
}

void MainWindowTest::TearDownTestSuite()
{
    if (s_frame && s_app->m_pMainWnd)
        ::DestroyWindow(s_frame->GetSafeHwnd());
    PumpMessages();
    s_frame = nullptr;
    delete s_app;
    s_app = nullptr;
    UseMachine(nullptr);
    delete s_machine;
    s_machine = nullptr;
    // The quit message posted by the closing main window is not for us.
    MSG msg;
    ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

void SampleWindowTest::SetUpTestSuite()
{
    MainWindowTest::SetUpTestSuite();
    AddSampleClasses(Machine());
    OpenMainWindow();
}

void MainWindowTest::Select(const std::string& label)
{
    HTREEITEM item = FindChild(TreeControl(), RootItem(), label);
    ASSERT_NE(nullptr, item) << label;
    ::SendMessageA(TreeControl(), TVM_SELECTITEM, TVGN_CARET, 0);
    ::SendMessageA(TreeControl(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ASSERT_EQ(item, Tree().GetSelectedItem());
}
