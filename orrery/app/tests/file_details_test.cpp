// The details window over a machine in memory, opened as the command line
// opens it: no main window, the layout still suspended.
#include "orrery/app/tests/dialog_driver.h"
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/file_details_dlg.h"
#include "orrery/app/program_state.h"
#include "orrery/catalogue/com_servers.h"
#include "orrery/dependencies/tests/fixture_images.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

RECT ChildRect(HWND child)
{
    RECT rect = {};
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string TabText(HWND tabs, int index)
{
    char text[64] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

// The width and height of a dialog template, in dialog units.
RECT TemplateSize(int id)
{
    HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    const WORD* words = found ? static_cast<const WORD*>(::LockResource(::LoadResource(nullptr, found))) : nullptr;
    RECT size = {0, 0, 0, 0};
    if (words && words[1] == 0xFFFF) {  // DLGTEMPLATEEX: cx and cy are words 11 and 12
        size.right = static_cast<short>(words[11]);
        size.bottom = static_cast<short>(words[12]);
    }
    return size;
}

// The rows a record writes, each with the image the attribute lists show for
// its kind: registry 0, file 1, version 2, warning 3.
class RecordedRows : public orrery::CTwoColumnList {
public:
    void AppendRow(const std::string& label, const std::string& value, orrery::RowKind kind) override
    {
        rows.push_back({label, value, ImageOf(kind)});
    }
    static int ImageOf(orrery::RowKind kind)
    {
        const orrery::RowKind inImageOrder[] = {orrery::RowKind::Registry, orrery::RowKind::File,
                                                orrery::RowKind::Version, orrery::RowKind::Missing};
        return static_cast<int>(std::find(inImageOrder, inImageOrder + 4, kind) - inImageOrder);
    }
    std::vector<AttributeRow> rows;
};

class FileDetailsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX common = {sizeof common, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&common);
    }

    void SetUp() override
    {
        AddSampleClasses(machine);
        UseMachine(&machine.Get());
        SetLayoutSuspended(true);
    }

    void TearDown() override
    {
        UseMachine(nullptr);
        SetLayoutSuspended(true);
    }

    // Opens the details window of record and runs inspect on it while it is
    // up; inspect ends with the window still open, and OK closes it.
    void Inspect(orrery::CComObject& record, const std::function<void(CFileDetailsDlg&)>& inspect)
    {
        CFileDetailsDlg details(record);
        CDialogDriver driver;
        driver.Expect(CFileDetailsDlg::kTitlePrefix, [&](HWND window) {
            EXPECT_EQ(details.GetSafeHwnd(), window);
            inspect(details);
            CDialogDriver::Press(IDOK)(window);
        });
        INT_PTR result = 0;
        driver.Run([&] { result = details.DoModal(nullptr); });
        EXPECT_EQ(IDOK, result);
        EXPECT_EQ(0u, driver.Pending());
        EXPECT_TRUE(driver.Unexpected().empty());
    }

    orrery::CMemoryPlatform machine;
};

TEST_F(FileDetailsTest, OpensOnTheAttributesPageWithTheObjectsRowsAndKeys)
{
    orrery::CComControl gauge(machine.Get(), kGaugeClsid);
    RecordedRows expected;
    gauge.FillAttributeList(expected);
    Inspect(gauge, [&](CFileDetailsDlg& details) {
        EXPECT_EQ("COM File Details - Orrery.Gauge.1", details.GetWindowText());
        HWND tabs = details.GetTabs();
        ASSERT_EQ(3, ::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        EXPECT_EQ("Attributes", TabText(tabs, 0));
        EXPECT_EQ("Dependencies", TabText(tabs, 1));
        EXPECT_EQ("Registry Entries", TabText(tabs, 2));
        EXPECT_EQ(0, ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        EXPECT_TRUE(::IsWindowVisible(details.GetAttributeList()));
        EXPECT_FALSE(::IsWindowVisible(details.GetDependenciesPane().GetSafeHwnd()));
        EXPECT_FALSE(::IsWindowVisible(details.GetRegistryPane().GetSafeHwnd()));

        EXPECT_EQ(expected.rows, ListRows(details.GetAttributeList()));
        EXPECT_EQ((AttributeRow{"ProgID", "Orrery.Gauge.1", 0}), ListRows(details.GetAttributeList()).at(0));
        HWND keys = details.GetRegistryPane().GetKeyTree();
        std::string outline = TreeOutline(keys, TVI_ROOT);
        EXPECT_EQ(0u, outline.find("HKEY_CLASSES_ROOT\n  CLSID\n    " + kGaugeClsid + "\n      ProgID\n")) << outline;
        EXPECT_NE(std::string::npos, outline.find("\n  Orrery.Gauge.1\n    CLSID\n")) << outline;
        EXPECT_NE(nullptr, details.GetDependenciesPane().GetSafeHwnd());
    });
}

TEST_F(FileDetailsTest, GrowsByOnePixelOnEverySideAndLaysItsPagesOut)
{
    orrery::CDllServer engine(machine.Get(), kEngineClsid);
    Inspect(engine, [&](CFileDetailsDlg& details) {
        HWND window = details.GetSafeHwnd();
        EXPECT_FALSE(IsLayoutSuspended()) << "the details window's first layout ends the suspension";

        // The template's size, as the dialog manager made the window.
        RECT made = TemplateSize(IDD_FILE_DETAILS);
        ::MapDialogRect(window, &made);
        ::AdjustWindowRectEx(&made, ::GetWindowLongA(window, GWL_STYLE), FALSE,
                             ::GetWindowLongA(window, GWL_EXSTYLE));
        RECT now = {};
        ::GetWindowRect(window, &now);
        EXPECT_EQ(made.right - made.left + 2, now.right - now.left);
        EXPECT_EQ(made.bottom - made.top + 2, now.bottom - now.top);

        RECT client = {};
        ::GetClientRect(window, &client);
        RECT tabs = ChildRect(details.GetTabs());
        int tabHeight = tabs.bottom - tabs.top;
        EXPECT_EQ(0, tabs.left);
        EXPECT_EQ(0, tabs.top);
        EXPECT_EQ(client.right, tabs.right);
        for (HWND page : {details.GetAttributeList(), details.GetDependenciesPane().GetSafeHwnd(),
                          details.GetRegistryPane().GetSafeHwnd()}) {
            RECT rect = ChildRect(page);
            EXPECT_EQ(1, rect.left);
            EXPECT_EQ(tabHeight, rect.top);
            EXPECT_EQ(client.right - 2, rect.right - rect.left);
            EXPECT_EQ(client.bottom - tabHeight - CFileDetailsDlg::kButtonStrip, rect.bottom - rect.top);
        }
        RECT ok = ChildRect(::GetDlgItem(window, IDOK));
        EXPECT_GE(ok.top, client.bottom - CFileDetailsDlg::kButtonStrip);
        EXPECT_LE(ok.bottom, client.bottom);
        EXPECT_LE(ok.right, client.right);

        // The panes lay themselves out inside their pages.
        HWND keys = details.GetRegistryPane().GetKeyTree();
        EXPECT_EQ(static_cast<int>(0.45 * (client.right - 2)), controls::WindowWidth(keys));

        // A bigger window: the pages follow it.
        ::MoveWindow(window, now.left, now.top, now.right - now.left + 100, now.bottom - now.top + 50, TRUE);
        ::GetClientRect(window, &client);
        RECT list = ChildRect(details.GetAttributeList());
        EXPECT_EQ(client.right - 2, list.right - list.left);
        EXPECT_EQ(client.bottom - tabHeight - CFileDetailsDlg::kButtonStrip, list.bottom - list.top);
    });
}

TEST_F(FileDetailsTest, TheDependenciesPageListsTheServersDlls)
{
    const std::string system = orrery::kSystemDirectory;
    machine.files.AddSearchDirectory(system);
    machine.files.AddFileContents(system + "\\KERNEL32.dll", orrery::ReadFixture("plain/no_imports.dll"));
    machine.files.AddFileContents("C:\\app\\chain_a.dll", orrery::ReadFixture("chain/chain_a.dll"));
    machine.files.AddFileContents("C:\\app\\chain_b.dll", orrery::ReadFixture("chain/chain_b.dll"));
    machine.registry.SetString("CLSID\\{DEP1}\\ProgID", "", "Orrery.Chain");
    machine.registry.SetString("CLSID\\{DEP1}\\InprocServer32", "", "C:\\app\\chain_a.dll");
    orrery::CDllServer chain(machine.Get(), "{DEP1}");
    Inspect(chain, [&](CFileDetailsDlg& details) {
        details.SelectPage(CFileDetailsDlg::PageDependencies);
        CDependenciesPane& pane = details.GetDependenciesPane();
        HWND tree = pane.GetDependencyTree();
        EXPECT_EQ((std::vector<std::string>{"KERNEL32.dll", "chain_b.dll", "chain_c.dll"}),
                  TreeChildTexts(tree, TVI_ROOT));
        ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                       reinterpret_cast<LPARAM>(FindChild(tree, TVI_ROOT, "chain_b.dll")));
        std::vector<AttributeRow> rows = ListRows(pane.GetAttributeList());
        ASSERT_FALSE(rows.empty());
        EXPECT_EQ("File Location", rows[0].label);
        EXPECT_EQ("C:\\app\\chain_b.dll", rows[0].value);
    });
}

TEST_F(FileDetailsTest, EachTabShowsItsPageAlone)
{
    orrery::CComControl gauge(machine.Get(), kGaugeClsid);
    Inspect(gauge, [&](CFileDetailsDlg& details) {
        HWND pages[] = {details.GetAttributeList(), details.GetDependenciesPane().GetSafeHwnd(),
                        details.GetRegistryPane().GetSafeHwnd()};
        HWND tabs = details.GetTabs();
        for (int page : {2, 1, 0, 2}) {
            // A click on the tab, as the user makes it.
            RECT tab = {};
            ::SendMessageA(tabs, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&tab));
            LPARAM point = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
            ::SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
            ::SendMessageA(tabs, WM_LBUTTONUP, 0, point);
            EXPECT_EQ(page, ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
            for (int other = 0; other < 3; ++other)
                EXPECT_EQ(other == page, ::IsWindowVisible(pages[other]) != FALSE) << page << " " << other;
        }
    });
}

TEST_F(FileDetailsTest, TheRegistryPageListsAndEditsValues)
{
    machine.registry.SetString("CLSID\\" + kGaugeClsid + "\\InprocServer32", "ThreadingModel", "Apartment");
    orrery::CComControl gauge(machine.Get(), kGaugeClsid);
    Inspect(gauge, [&](CFileDetailsDlg& details) {
        details.SelectPage(CFileDetailsDlg::PageRegistryEntries);
        CRegistryEntriesPane& pane = details.GetRegistryPane();
        HWND keys = pane.GetKeyTree();
        HTREEITEM item = FindChild(keys, FindChild(keys, FindChild(keys, TVI_ROOT, "HKEY_CLASSES_ROOT"), "CLSID"),
                                   kGaugeClsid);
        item = FindChild(keys, item, "InprocServer32");
        ASSERT_NE(nullptr, item);
        ::SendMessageA(keys, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
        std::vector<AttributeRow> rows = ListRows(pane.GetValueList());
        ASSERT_EQ(2u, rows.size());
        EXPECT_EQ((AttributeRow{"ThreadingModel", "Apartment", 2}), rows[1]);

        // The edit dialog belongs to the details window.
        CDialogDriver edit;
        edit.Expect("Edit String", [&](HWND dialog) {
            EXPECT_EQ(details.GetSafeHwnd(), ::GetWindow(dialog, GW_OWNER));
            CDialogDriver::Type(IDC_VALUE_DATA, "Free", IDOK)(dialog);
        });
        edit.Run([&] { pane.EditValue(1); });
        EXPECT_EQ(0u, edit.Pending());
        EXPECT_EQ("Free", ListRows(pane.GetValueList()).at(1).value);
    });
    unsigned long type = 0;
    std::string bytes;
    ASSERT_TRUE(machine.registry.GetValue("CLSID\\" + kGaugeClsid + "\\InprocServer32", "ThreadingModel", &type, &bytes));
    EXPECT_EQ(std::string("Free", 5), bytes);
}

TEST_F(FileDetailsTest, TheWindowCopiesTheSelectedAttributeItself)
{
    orrery::CComControl gauge(machine.Get(), kGaugeClsid);
    Inspect(gauge, [&](CFileDetailsDlg& details) {
        HWND list = details.GetAttributeList();
        LVITEMA state = {};
        state.stateMask = state.state = LVIS_SELECTED;
        ::SendMessageA(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&state));
        ::SendMessageA(details.GetSafeHwnd(), WM_COMMAND, ID_COPY_TO_CLIPBOARD, 0);
        EXPECT_EQ(kGaugeClsid, ClipboardText());

        // Without a main window the details window owns the attribute menu,
        // and its command comes back to it.
        ::SendMessageA(list, LVM_SETITEMSTATE, 5, reinterpret_cast<LPARAM>(&state));
        CDialogDriver menu;
        menu.Expect("", [](HWND popup) {
            ::PostMessageA(popup, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(popup, WM_KEYDOWN, VK_RETURN, 0);
        });
        menu.Run([&] {
            NMHDR click = {list, IDC_DETAILS_ATTRIBUTES, static_cast<UINT>(NM_RCLICK)};
            ::SendMessageA(details.GetSafeHwnd(), WM_NOTIFY, IDC_DETAILS_ATTRIBUTES, reinterpret_cast<LPARAM>(&click));
            PumpMessages();
        });
        EXPECT_EQ(0u, menu.Pending());
        EXPECT_EQ("C:\\lib\\gauge.ocx", ClipboardText());

        ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
        BYTE keysDown[256] = {};
        ::GetKeyboardState(keysDown);
        keysDown[VK_CONTROL] = 0x80;
        ::SetKeyboardState(keysDown);
        ::SendMessageA(list, WM_KEYDOWN, 'C', 0);
        keysDown[VK_CONTROL] = 0;
        ::SetKeyboardState(keysDown);
        EXPECT_EQ("Orrery.Gauge.1", ClipboardText());
    });
}

} // namespace
