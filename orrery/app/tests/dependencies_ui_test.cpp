// The dependency pane and the missing-dependency finder over a machine in
// memory whose server files are the fixture images built with mingw: a DLL
// server whose chain ends in a missing DLL, one that imports nothing, and one
// whose own file is missing.
#include "orrery/app/tests/recording_shell.h"
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/missing_dependencies_dlg.h"
#include "orrery/app/program_state.h"
#include "orrery/catalogue/com_servers.h"
#include "orrery/dependencies/tests/fixture_images.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

const int kDllServersTab = 1;

void RegisterServer(orrery::CMemoryRegistry& registry, const std::string& clsid, const char* progId,
                    const std::string& file)
{
    registry.SetString("CLSID\\" + clsid + "\\ProgID", "", progId);
    registry.SetString("CLSID\\" + clsid + "\\InprocServer32", "", file);
}

class DependenciesUiTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        orrery::CMemoryPlatform& machine = Machine();
        machine.files.AddSearchDirectory(orrery::kSystemDirectory);
        const std::string system = orrery::kSystemDirectory;
        machine.files.AddFileContents(system + "\\KERNEL32.dll", orrery::ReadFixture("plain/no_imports.dll"));
        machine.files.AddFileContents("C:\\app\\chain_a.dll", orrery::ReadFixture("chain/chain_a.dll"));
        machine.files.AddFileContents("C:\\app\\chain_b.dll", orrery::ReadFixture("chain/chain_b.dll"));
        machine.files.AddFileContents("C:\\app\\whole.dll", orrery::ReadFixture("plain/no_imports.dll"));
        RegisterServer(machine.registry, "{DEP1}", "Orrery.Chain", "C:\\app\\chain_a.dll");
        RegisterServer(machine.registry, "{DEP2}", "Orrery.Whole", "C:\\app\\whole.dll");
        RegisterServer(machine.registry, "{DEP3}", "Orrery.Lost", "C:\\gone\\lost.dll");
        OpenMainWindow();
    }

    void SetUp() override
    {
        MainWindowTest::SetUp();
        Tree().SelectTab(kDllServersTab);
    }

    CDependenciesPane& Pane() { return *Frame().GetTabView()->GetDependenciesPane(); }
    HWND DependencyTree() { return Pane().GetDependencyTree(); }
    std::vector<std::string> Dependencies() { return TreeChildTexts(DependencyTree(), TVI_ROOT); }
    std::pair<int, int> DependencyImages(const std::string& name)
    {
        return TreeItemImages(DependencyTree(), FindChild(DependencyTree(), TVI_ROOT, name));
    }
    void SelectDependency(const std::string& name)
    {
        HTREEITEM item = FindChild(DependencyTree(), TVI_ROOT, name);
        ASSERT_NE(nullptr, item) << name;
        ::SendMessageA(DependencyTree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    std::vector<AttributeRow> PaneRows() { return ListRows(Pane().GetAttributeList()); }
    int ObjectImage(const std::string& label)
    {
        return TreeItemImages(TreeControl(), FindChild(TreeControl(), RootItem(), label)).first;
    }
};

TEST_F(DependenciesUiTest, PaneListsTheServersDllsWithTheMissingOneMarked)
{
    Select("Orrery.Chain");
    EXPECT_EQ((std::vector<std::string>{"KERNEL32.dll", "chain_b.dll", "chain_c.dll"}), Dependencies());
    EXPECT_EQ(std::make_pair(0, 0), DependencyImages("KERNEL32.dll"));
    EXPECT_EQ(std::make_pair(0, 0), DependencyImages("chain_b.dll"));
    EXPECT_EQ(std::make_pair(1, 1), DependencyImages("chain_c.dll"));
    EXPECT_TRUE(PaneRows().empty()) << "no DLL is selected yet";
}

TEST_F(DependenciesUiTest, SelectingADllShowsItsAttributes)
{
    Select("Orrery.Chain");
    SelectDependency("chain_c.dll");
    EXPECT_EQ((std::vector<AttributeRow>{{"File Location", "", 1},
                                         {"Status", "SEVERE WARNING: File does not exist", 1}}),
              PaneRows());

    SelectDependency("chain_b.dll");
    std::vector<AttributeRow> rows = PaneRows();
    ASSERT_GE(rows.size(), 6u);
    EXPECT_EQ((AttributeRow{"File Location", "C:\\app\\chain_b.dll", 2}), rows[0]);
    EXPECT_EQ((AttributeRow{"Status", "File Exists", 2}), rows[1]);
    EXPECT_EQ("File Size", rows[2].label);
    EXPECT_EQ(std::to_string(orrery::ReadFixture("chain/chain_b.dll").size()) + " Bytes", rows[2].value);
}

TEST_F(DependenciesUiTest, AnotherObjectReplacesTheDependencies)
{
    Select("Orrery.Chain");
    SelectDependency("chain_b.dll");
    Select("Orrery.Whole");
    EXPECT_TRUE(Dependencies().empty()) << "a DLL that imports nothing";
    EXPECT_TRUE(PaneRows().empty());
    Select("Orrery.Lost");
    EXPECT_TRUE(Dependencies().empty()) << "a misbehaved object";
    Select("Orrery.Chain");
    EXPECT_EQ(3u, Dependencies().size());
    Tree().FillTree();
    EXPECT_TRUE(Dependencies().empty()) << "no object is selected after the tree is filled";
}

// A record that counts its own destruction.
class CCountedFile : public orrery::CComFile {
public:
    CCountedFile(orrery::CPlatform& platform, int* destroyed) : CComFile(platform), m_destroyed(destroyed) {}
    ~CCountedFile() override { ++*m_destroyed; }

private:
    int* m_destroyed;
};

// A server whose dependencies are counted records with the given names.
class CCountedServer : public orrery::CDllServer {
public:
    CCountedServer(orrery::CPlatform& platform, std::vector<const char*> names, int* destroyed)
        : CDllServer(platform, "{C0}"), m_names(names), m_destroyed(destroyed)
    {
    }
    orrery::CFileRecords FillDependencyTree(orrery::CTreeControl& tree) override
    {
        orrery::CFileRecords records;
        for (const char* name : m_names) {
            records.push_back(std::make_unique<CCountedFile>(m_platform, m_destroyed));
            tree.InsertItem(orrery::kTreeRoot, name, orrery::ItemKind::FoundDll, records.back().get());
        }
        return records;
    }

private:
    std::vector<const char*> m_names;
    int* m_destroyed;
};

TEST_F(DependenciesUiTest, ClearingOrDestroyingThePaneDeletesItsRecords)
{
    CDependenciesPane pane;
    ASSERT_TRUE(pane.Create(Frame().GetSafeHwnd()));
    int destroyed = 0;
    CCountedServer three(Machine().Get(), {"one.dll", "two.dll", "three.dll"}, &destroyed);
    pane.FillDependencies(three);
    ::SendMessageA(pane.GetDependencyTree(), TVM_SELECTITEM, TVGN_CARET,
                   reinterpret_cast<LPARAM>(TreeView_GetRoot(pane.GetDependencyTree())));
    EXPECT_EQ(2u, ListRows(pane.GetAttributeList()).size()) << "the selected record's rows";

    pane.Clear();
    EXPECT_EQ(3, destroyed);
    EXPECT_TRUE(TreeChildTexts(pane.GetDependencyTree(), TVI_ROOT).empty());
    EXPECT_TRUE(ListRows(pane.GetAttributeList()).empty());

    CCountedServer one(Machine().Get(), {"four.dll"}, &destroyed);
    pane.FillDependencies(one);
    EXPECT_EQ(3, destroyed);
    pane.DestroyWindow();
    EXPECT_EQ(4, destroyed);
}

// Runs the finder and presses its buttons from inside its own message loop:
// Search (or the buttons given), then a look at what the dialog shows, then OK.
class CFinderRun : public CMissingDependenciesDlg {
public:
    static const UINT kInspect = WM_APP + 1;

    CFinderRun(const std::string& categoryName, HWND objectTree, std::vector<UINT> buttons = {IDC_FINDER_SEARCH})
        : CMissingDependenciesDlg(categoryName, objectTree), m_buttons(std::move(buttons))
    {
    }

    struct Seen {
        std::string caption;
        std::string category;
        std::string processedBefore;
        std::string missingBefore;
        std::string processed;
        std::string missing;
        int progress = -1;
        int progressTop = -1;
        bool okEnabled = false;
        int markPixels = 0;
    } seen;
    int beeps = 0;

protected:
    bool OnInitDialog() override
    {
        bool result = CMissingDependenciesDlg::OnInitDialog();
        seen.processedBefore = Text(IDC_FINDER_PROCESSED);
        seen.missingBefore = Text(IDC_FINDER_MISSING);
        for (UINT button : m_buttons)
            ::PostMessageA(m_hWnd, WM_COMMAND, button, 0);
        ::PostMessageA(m_hWnd, kInspect, 0, 0);
        ::PostMessageA(m_hWnd, WM_COMMAND, IDOK, 0);
        return result;
    }

    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override
    {
        if (msg != kInspect)
            return CMissingDependenciesDlg::WindowProc(msg, wp, lp);
        seen.caption = GetWindowText();
        seen.category = Text(IDC_FINDER_CATEGORY);
        seen.processed = Text(IDC_FINDER_PROCESSED);
        seen.missing = Text(IDC_FINDER_MISSING);
        seen.progress = static_cast<int>(::SendMessageA(GetDlgItem(IDC_FINDER_PROGRESS), PBM_GETPOS, 0, 0));
        seen.progressTop = static_cast<int>(::SendMessageA(GetDlgItem(IDC_FINDER_PROGRESS), PBM_GETRANGE, FALSE, 0));
        seen.okEnabled = ::IsWindowEnabled(GetDlgItem(IDOK)) != FALSE;
        seen.markPixels = MarkPixels();
        return 0;
    }

    void SoundEndOfSearch() override { ++beeps; }

private:
    // Has the mark field drawn into a bitmap of our own and counts the
    // pixels that are not the dialog's background.
    int MarkPixels()
    {
        const int kWidth = 18;
        const int kHeight = 16;
        HDC screen = ::GetDC(nullptr);
        HDC memory = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        DRAWITEMSTRUCT item = {};
        item.CtlType = ODT_STATIC;
        item.CtlID = IDC_FINDER_MARK;
        item.hwndItem = GetDlgItem(IDC_FINDER_MARK);
        item.hDC = memory;
        item.rcItem = {0, 0, kWidth, kHeight};
        ::SendMessageA(m_hWnd, WM_DRAWITEM, IDC_FINDER_MARK, reinterpret_cast<LPARAM>(&item));
        COLORREF background = ::GetSysColor(COLOR_BTNFACE);
        int marks = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                marks += ::GetPixel(memory, x, y) != background;
        }
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(nullptr, screen);
        return marks;
    }

    std::vector<UINT> m_buttons;

    std::string Text(UINT id)
    {
        char text[256] = "";
        ::GetWindowTextA(GetDlgItem(id), text, sizeof text);
        return text;
    }
};

TEST_F(DependenciesUiTest, FinderMarksTheObjectThatMissesADllAndCountsItsMissingDlls)
{
    EXPECT_EQ(1, ObjectImage("Orrery.Chain"));
    CFinderRun finder(Tree().CurrentTabText(), TreeControl());
    EXPECT_EQ(IDOK, finder.DoModal(Frame().GetSafeHwnd()));

    EXPECT_EQ("Find Missing Dependencies for DLL Servers", finder.seen.caption);
    EXPECT_EQ("DLL Servers", finder.seen.category);
    EXPECT_EQ("0", finder.seen.processedBefore);
    EXPECT_EQ("0", finder.seen.missingBefore);
    EXPECT_EQ("3", finder.seen.processed);
    EXPECT_EQ("1", finder.seen.missing) << "chain_c.dll";
    EXPECT_EQ(3, finder.seen.progressTop);
    EXPECT_EQ(3, finder.seen.progress) << "the bar stands at full";
    EXPECT_TRUE(finder.seen.okEnabled);
    EXPECT_GT(finder.seen.markPixels, 20) << "the tree's mark image beside its explanation";
    EXPECT_EQ(1, finder.beeps);

    EXPECT_EQ(4, ObjectImage("Orrery.Chain"));
    EXPECT_EQ(1, ObjectImage("Orrery.Whole"));
    EXPECT_EQ(3, ObjectImage("Orrery.Lost"));
    Tree().FillTree();
    EXPECT_EQ(1, ObjectImage("Orrery.Chain")) << "the marks last until the tree is filled again";
}

TEST_F(DependenciesUiTest, FinderWithEveryObjectHiddenOnlyBeeps)
{
    Options().DisplayInstalled = false;
    Options().DisplayMissing = false;
    Tree().FillTree();
    CFinderRun finder(Tree().CurrentTabText(), TreeControl());
    finder.DoModal(Frame().GetSafeHwnd());
    EXPECT_EQ("0", finder.seen.processed);
    EXPECT_EQ("0", finder.seen.missing);
    EXPECT_EQ(0, finder.seen.progress);
    EXPECT_EQ(1, finder.beeps);
}

TEST_F(DependenciesUiTest, FinderHelpOpensTheFindersTopic)
{
    CRecordingShell shell;
    UseShell(&shell);
    CFinderRun finder(Tree().CurrentTabText(), TreeControl(), {IDHELP});
    finder.DoModal(Frame().GetSafeHwnd());
    UseShell(nullptr);
    ASSERT_EQ(1u, shell.calls.size());
    const std::string page = "\\missing-dependencies.html";
    const std::string& target = shell.calls[0].target;
    EXPECT_EQ(page, target.substr(target.size() - std::min(target.size(), page.size())));
    EXPECT_EQ("0", finder.seen.processed) << "Help does not search";
    EXPECT_EQ(0, finder.beeps);
}

// The menu command opens the finder for the current tab; a timer in the
// dialog's modal loop presses Search and then OK.
VOID CALLBACK PressFinderButtons(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND finder = ::FindWindowA(nullptr, "Find Missing Dependencies for DLL Servers");
    if (!finder)
        return;
    ::KillTimer(nullptr, timer);
    ::SendMessageA(finder, WM_COMMAND, IDC_FINDER_SEARCH, 0);
    ::SendMessageA(finder, WM_COMMAND, IDOK, 0);
}

TEST_F(DependenciesUiTest, ToolsCommandOpensTheFinderForTheCurrentCategory)
{
    UINT_PTR timer = ::SetTimer(nullptr, 0, 50, PressFinderButtons);
    EXPECT_TRUE(Frame().RouteCmdMsg(ID_FIND_MISSING_DEPENDENCIES));
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(4, ObjectImage("Orrery.Chain")) << "the search ran on the main window's tree";
}

} // namespace
