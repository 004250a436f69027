// The registry pane of the main window over a machine in memory: listing a
// key's values, editing string values through the edit dialog, the value
// menu, Ctrl+C, and the layout the three tree-and-list panes share.
#include "orrery/app/tests/dialog_driver.h"
#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"
#include "orrery/catalogue/registry_values.h"

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

const std::string kServerKey = "CLSID\\" + kGaugeClsid + "\\InprocServer32";

// Ctrl+C typed into a control: the key state says Ctrl is down while the
// key goes in.
void PressCtrlC(HWND control)
{
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SendMessageA(control, WM_KEYDOWN, 'C', 0);
    keys[VK_CONTROL] = saved;
    ::SetKeyboardState(keys);
}

void SelectRow(HWND list, int row)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
}

class RegistryPaneTest : public SampleWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        orrery::CMemoryRegistry& registry = Machine().registry;
        registry.AddKey(kServerKey);
        registry.SetString(kServerKey, "", "C:\\lib\\gauge.ocx");
        registry.SetString(kServerKey, "ThreadingModel", "Apartment");
        registry.SetDword(kServerKey, "Flags", 255);
        registry.SetRaw(kServerKey, "Blob", orrery::kRegBinary, "\x0A\x00"s);
        registry.SetRaw(kServerKey, "aliases", orrery::kRegMultiSz, "one\0two\0three\0\0"s);
        registry.SetString(kServerKey, "Path", "%windir%\\x", orrery::kRegExpandSz);
        registry.SetRaw(kServerKey, "Odd", 0x4242, "xy");
        Select("Orrery.Gauge.1");
        Frame().GetTabView()->SelectPage(CTabView::PageRegistryEntries);
    }

    void TearDown() override { Machine().registry.RemoveKey(kServerKey); }

    CRegistryEntriesPane& Pane() { return *Frame().GetTabView()->GetRegistryPane(); }
    HWND Keys() { return Pane().GetKeyTree(); }
    HWND Values() { return Pane().GetValueList(); }

    // Selects the key item at the end of a path of item texts from the root.
    void SelectKey(const std::vector<std::string>& texts)
    {
        HTREEITEM item = TVI_ROOT;
        for (const std::string& text : texts) {
            item = FindChild(Keys(), item, text);
            ASSERT_NE(nullptr, item) << text;
        }
        ::SendMessageA(Keys(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    }
    void SelectServerKey() { SelectKey({"HKEY_CLASSES_ROOT", "CLSID", kGaugeClsid, "InprocServer32"}); }

    int RowOf(const std::string& name)
    {
        std::vector<AttributeRow> rows = ListRows(Values());
        for (size_t row = 0; row < rows.size(); ++row) {
            if (rows[row].label == name)
                return static_cast<int>(row);
        }
        ADD_FAILURE() << "no row " << name;
        return -1;
    }

    std::string ValueText(const std::string& name)
    {
        int row = RowOf(name);
        return row < 0 ? "<no row>" : ListRows(Values())[row].value;
    }

    // A double-click on the row, as the list reports it.
    void DoubleClick(int row)
    {
        RECT rect = {};
        rect.left = LVIR_LABEL;
        ::SendMessageA(Values(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ::SendMessageA(Values(), WM_LBUTTONDBLCLK, MK_LBUTTON, point);
        ::SendMessageA(Values(), WM_LBUTTONUP, 0, point);
    }

    std::string Stored(const std::string& name, unsigned long* type = nullptr)
    {
        unsigned long found = orrery::kRegNone;
        std::string bytes;
        if (!Machine().registry.GetValue(kServerKey, name, &found, &bytes))
            return "<missing>";
        if (type)
            *type = found;
        return bytes;
    }
};

TEST_F(RegistryPaneTest, SelectingAKeyListsItsValuesSortedWithTheirTextsImagesAndTypes)
{
    SelectServerKey();
    EXPECT_EQ("CLSID\\" + kGaugeClsid + "\\InprocServer32", Pane().GetCurrentKeyPath());
    const std::vector<AttributeRow> expected = {
        {"(Default)", "C:\\lib\\gauge.ocx", 2}, {"aliases", "one", 2}, {"Blob", "A 0 ", 3},
        {"Flags", "FF (255)", 3},               {"Odd", "Data type not supported", 3},
        {"Path", "%windir%\\x", 2},             {"ThreadingModel", "Apartment", 2}};
    EXPECT_EQ(expected, ListRows(Values()));
    const unsigned long types[] = {orrery::kRegSz,     orrery::kRegMultiSz,  orrery::kRegBinary, orrery::kRegDword,
                                   0x4242,             orrery::kRegExpandSz, orrery::kRegSz};
    for (int row = 0; row < 7; ++row) {
        LVITEMA item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        ::SendMessageA(Values(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(types[row], static_cast<unsigned long>(item.lParam)) << expected[row].label;
    }

    SelectKey({"HKEY_CLASSES_ROOT", "Orrery.Gauge.1"});
    EXPECT_EQ((std::vector<AttributeRow>{{"(Default)", "Orrery.Gauge.1 object", 2}}), ListRows(Values()));
    EXPECT_EQ("Orrery.Gauge.1", Pane().GetCurrentKeyPath());
}

TEST_F(RegistryPaneTest, TheRootAndAKeyThatIsGoneListNothing)
{
    SelectServerKey();
    SelectKey({"HKEY_CLASSES_ROOT"});
    EXPECT_TRUE(ListRows(Values()).empty());

    SelectServerKey();
    ASSERT_FALSE(ListRows(Values()).empty());
    Machine().registry.RemoveKey(kServerKey);
    SelectKey({"HKEY_CLASSES_ROOT", "CLSID", kGaugeClsid, "Control"});
    SelectServerKey();
    EXPECT_TRUE(ListRows(Values()).empty()) << "the key was deleted while it was shown";
    EXPECT_EQ(0u, Machine().registry.OpenKeyCount());
}

TEST_F(RegistryPaneTest, ADoubleClickEditsAStringValueAndTheListIsReadAgain)
{
    SelectServerKey();
    std::string nameShown;
    std::string dataShown;
    CDialogDriver driver;
    driver.Expect("Edit String", [&](HWND dialog) {
        nameShown = CDialogDriver::ItemText(dialog, IDC_VALUE_NAME);
        dataShown = CDialogDriver::ItemText(dialog, IDC_VALUE_DATA);
        HWND data = ::GetDlgItem(dialog, IDC_VALUE_DATA);
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_VALUE_NAME)));
        EXPECT_EQ(data, ::GetFocus());
        DWORD start = 1, end = 0;
        ::SendMessageA(data, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(0u, start);
        EXPECT_EQ(dataShown.size(), end) << "all of the text is selected";
        CDialogDriver::Type(IDC_VALUE_DATA, "Both", IDOK)(dialog);
    });
    driver.Run([&] { DoubleClick(RowOf("ThreadingModel")); });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_EQ("ThreadingModel", nameShown);
    EXPECT_EQ("Apartment", dataShown);
    unsigned long type = 0;
    EXPECT_EQ("Both\0"s, Stored("ThreadingModel", &type));
    EXPECT_EQ(orrery::kRegSz, type);
    EXPECT_EQ("Both", ValueText("ThreadingModel")) << "the list is read again";

    // "(Default)" stands for the key's unnamed value; a multi-string keeps
    // the strings after the first; an expandable string keeps its type.
    CDialogDriver more;
    more.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "D:\\new.ocx", IDOK));
    more.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "uno", IDOK));
    more.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "%SystemRoot%\\y", IDOK));
    more.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "never written", IDCANCEL));
    more.Run([&] {
        DoubleClick(RowOf("(Default)"));
        DoubleClick(RowOf("aliases"));
        DoubleClick(RowOf("Path"));
        DoubleClick(RowOf("Path"));
    });
    EXPECT_EQ(0u, more.Pending());
    EXPECT_EQ("D:\\new.ocx\0"s, Stored(""));
    EXPECT_EQ("<missing>", Stored("(Default)"));
    EXPECT_EQ("uno\0two\0three\0\0"s, Stored("aliases", &type));
    EXPECT_EQ(orrery::kRegMultiSz, type);
    EXPECT_EQ("%SystemRoot%\\y\0"s, Stored("Path", &type));
    EXPECT_EQ(orrery::kRegExpandSz, type);
    EXPECT_EQ("uno", ValueText("aliases"));
    EXPECT_TRUE(more.Unexpected().empty());
}

// A value really named "(Default)" is listed under that name beside the
// key's unnamed value; editing either row changes that value and no other.
TEST_F(RegistryPaneTest, AValueNamedLikeTheDefaultIsEditedAsItselfNotAsTheDefault)
{
    Machine().registry.SetString(kServerKey, "(Default)", "named");
    SelectServerKey();
    std::vector<int> rows;
    std::vector<AttributeRow> shown = ListRows(Values());
    for (size_t row = 0; row < shown.size(); ++row) {
        if (shown[row].label == "(Default)")
            rows.push_back(static_cast<int>(row));
    }
    ASSERT_EQ(2u, rows.size()) << "both are listed under the same name";
    int named = shown[rows[0]].value == "named" ? rows[0] : rows[1];
    int unnamed = named == rows[0] ? rows[1] : rows[0];
    EXPECT_EQ("C:\\lib\\gauge.ocx", shown[unnamed].value);

    std::string dataShown;
    CDialogDriver driver;
    driver.Expect("Edit String", [&](HWND dialog) {
        dataShown = CDialogDriver::ItemText(dialog, IDC_VALUE_DATA);
        CDialogDriver::Type(IDC_VALUE_DATA, "named, edited", IDOK)(dialog);
    });
    driver.Run([&] { DoubleClick(named); });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_EQ("named", dataShown);
    EXPECT_EQ("named, edited\0"s, Stored("(Default)"));
    EXPECT_EQ("C:\\lib\\gauge.ocx\0"s, Stored("")) << "the key's default value is kept";

    shown = ListRows(Values());
    unnamed = shown[rows[0]].value == "C:\\lib\\gauge.ocx" ? rows[0] : rows[1];
    CDialogDriver again;
    again.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "D:\\other.ocx", IDOK));
    again.Run([&] { DoubleClick(unnamed); });
    EXPECT_EQ(0u, again.Pending());
    EXPECT_EQ("D:\\other.ocx\0"s, Stored(""));
    EXPECT_EQ("named, edited\0"s, Stored("(Default)"));
    EXPECT_TRUE(again.Unexpected().empty());
}

TEST_F(RegistryPaneTest, OnlyStringValuesCanBeEdited)
{
    SelectServerKey();
    std::string flags;
    std::string odd;
    CDialogDriver driver;
    driver.Expect("Orrery", CDialogDriver::Read(&flags, IDOK));
    driver.Expect("Orrery", CDialogDriver::Read(&odd, IDOK));
    driver.Run([&] {
        DoubleClick(RowOf("Flags"));
        DoubleClick(RowOf("Odd"));
    });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_NE(std::string::npos,
              flags.find("Only string values can be edited by Orrery (REG_SZ, REG_MULTI_SZ, REG_EXPAND_SZ).\n\n"
                         "Flags is not a string."))
        << flags;
    EXPECT_NE(std::string::npos, odd.find("Odd is not a string.")) << odd;
    EXPECT_EQ(std::string("\xFF\0\0\0", 4), Stored("Flags"));
    EXPECT_TRUE(driver.Unexpected().empty());
}

// Refusals last for the registry's life: this test works on a class of its
// own, which no other test of the suite uses.
TEST_F(RegistryPaneTest, AFailedWriteIsToldWithTheValueNameAndTheReason)
{
    const std::string key = "CLSID\\" + kDialClsid + "\\InprocServer32";
    Machine().registry.SetString(key, "ThreadingModel", "Apartment");
    Machine().registry.RefuseChanges("CLSID\\" + kDialClsid);
    Select("Orrery.Dial");
    SelectKey({"HKEY_CLASSES_ROOT", "CLSID", kDialClsid, "InprocServer32"});
    std::string refused;
    CDialogDriver driver;
    driver.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "Free", IDOK));
    driver.Expect("Orrery", CDialogDriver::Read(&refused, IDOK));
    driver.Run([&] { DoubleClick(RowOf("ThreadingModel")); });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_NE(std::string::npos, refused.find("ThreadingModel")) << refused;
    EXPECT_NE(std::string::npos, refused.find("denied")) << "the system's text: " << refused;
    unsigned long type = 0;
    std::string bytes;
    EXPECT_TRUE(Machine().registry.GetValue(key, "ThreadingModel", &type, &bytes));
    EXPECT_EQ("Apartment\0"s, bytes);
    EXPECT_EQ("Apartment", ValueText("ThreadingModel")) << "the list shows what the registry holds";

    // The key deleted while it is shown: the write fails and says why, and
    // the key is not made again.
    std::string gone;
    CDialogDriver again;
    again.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "Free", IDOK));
    again.Expect("Orrery", CDialogDriver::Read(&gone, IDOK));
    again.Run([&] {
        int row = RowOf("ThreadingModel");
        Machine().registry.RemoveKey(key);
        DoubleClick(row);
    });
    EXPECT_EQ(0u, again.Pending());
    EXPECT_NE(std::string::npos, gone.find("ThreadingModel")) << gone;
    size_t reason = gone.find("\n\n", gone.find("ThreadingModel"));
    ASSERT_NE(std::string::npos, reason) << gone;
    EXPECT_LT(reason + 2, gone.size()) << "a reason follows: " << gone;
    EXPECT_FALSE(Machine().registry.HasKey(key));
    EXPECT_TRUE(ListRows(Values()).empty());
}

TEST_F(RegistryPaneTest, TheValueMenuEditsAndCopiesTheFirstSelectedRow)
{
    HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_VALUE_MENU));
    ASSERT_NE(nullptr, menu);
    HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_EQ(3, ::GetMenuItemCount(popup));
    char text[64] = "";
    ::GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Edit Value", text);
    EXPECT_EQ(static_cast<UINT>(ID_EDIT_VALUE), ::GetMenuItemID(popup, 0));
    EXPECT_TRUE(::GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    ::GetMenuStringA(popup, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&Copy to Clipboard", text);
    EXPECT_EQ(static_cast<UINT>(ID_COPY_VALUE), ::GetMenuItemID(popup, 2));
    ::DestroyMenu(menu);

    SelectServerKey();
    SelectRow(Values(), RowOf("Path"));
    ::SendMessageA(Pane().GetSafeHwnd(), WM_COMMAND, ID_COPY_VALUE, 0);
    EXPECT_EQ("%windir%\\x", ClipboardText());

    CDialogDriver driver;
    driver.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "%TEMP%", IDOK));
    driver.Run([&] { ::SendMessageA(Pane().GetSafeHwnd(), WM_COMMAND, ID_EDIT_VALUE, 0); });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_EQ("%TEMP%\0"s, Stored("Path"));

    // Without a selected row both commands do nothing.
    SelectServerKey();
    LVITEMA none = {};
    none.stateMask = LVIS_SELECTED;
    ::SendMessageA(Values(), LVM_SETITEMSTATE, -1, reinterpret_cast<LPARAM>(&none));
    CDialogDriver nothing;
    nothing.Run([&] {
        ::SendMessageA(Pane().GetSafeHwnd(), WM_COMMAND, ID_EDIT_VALUE, 0);
        ::SendMessageA(Pane().GetSafeHwnd(), WM_COMMAND, ID_COPY_VALUE, 0);
    });
    EXPECT_TRUE(nothing.Unexpected().empty());
    EXPECT_EQ("%windir%\\x", ClipboardText());
}

// A right-click on the list opens the value menu, which the pane owns: its
// commands come back to the pane, whichever view is active.
TEST_F(RegistryPaneTest, TheRightClickMenuBelongsToThePane)
{
    SelectServerKey();
    SelectRow(Values(), RowOf("ThreadingModel"));
    Frame().SetActiveView(&Tree());
    CDialogDriver driver;
    driver.Expect("", [](HWND menu) {
        char kind[16] = "";
        ::GetClassNameA(menu, kind, sizeof kind);
        EXPECT_STREQ("#32768", kind) << "a popup menu";
        ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    });
    driver.Expect("Edit String", CDialogDriver::Type(IDC_VALUE_DATA, "Neutral", IDOK));
    driver.Run([&] {
        NMHDR click = {Values(), IDC_REGISTRY_VALUES, static_cast<UINT>(NM_RCLICK)};
        ::SendMessageA(Pane().GetSafeHwnd(), WM_NOTIFY, IDC_REGISTRY_VALUES, reinterpret_cast<LPARAM>(&click));
        PumpMessages();  // the menu posts its command
    });
    EXPECT_EQ(0u, driver.Pending());
    EXPECT_EQ("Neutral\0"s, Stored("ThreadingModel"));
}

TEST_F(RegistryPaneTest, CtrlCCopiesTheSelectedValueOrAttribute)
{
    SelectServerKey();
    SelectRow(Values(), RowOf("ThreadingModel"));
    PressCtrlC(Values());
    EXPECT_EQ("Apartment", ClipboardText());

    HWND attributes = Frame().GetAttributeView()->GetList();
    SelectRow(attributes, 2);
    PressCtrlC(attributes);
    EXPECT_EQ(kGaugeClsid, ClipboardText());

    ::SendMessageA(attributes, WM_KEYDOWN, 'C', 0);
    SelectRow(attributes, 0);
    ::SendMessageA(attributes, WM_KEYDOWN, 'C', 0);
    EXPECT_EQ(kGaugeClsid, ClipboardText()) << "C alone copies nothing";
}

TEST_F(RegistryPaneTest, ALongValueIsListedAndEditedWhole)
{
    std::string longText(40000, 'v');
    Machine().registry.SetString(kServerKey, "Long", longText);
    Machine().registry.SetString(kServerKey, "Zulu", "after the long one");
    Machine().registry.SetRaw(kServerKey, "Image", orrery::kRegBinary, std::string(64 * 1024, '\x5A'));
    SelectServerKey();
    std::string image = ValueText("Image");
    EXPECT_EQ(64u * 1024 * 3, image.size()) << "64 KB of bytes, each shown as \"5A \"";
    EXPECT_EQ("5A 5A ", image.substr(0, 6));
    EXPECT_TRUE(longText == ValueText("Long")) << ValueText("Long").size();
    EXPECT_EQ("after the long one", ValueText("Zulu"));

    CDialogDriver driver;
    driver.Expect("Edit String", [](HWND dialog) {
        HWND data = ::GetDlgItem(dialog, IDC_VALUE_DATA);
        int length = ::GetWindowTextLengthA(data);
        EXPECT_EQ(40000, length);
        ::SendMessageA(data, EM_SETSEL, length, length);
        ::SendMessageA(data, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>("!"));
        CDialogDriver::Press(IDOK)(dialog);
    });
    driver.Run([&] { DoubleClick(RowOf("Long")); });
    EXPECT_EQ(0u, driver.Pending());
    std::string stored = Stored("Long");
    EXPECT_TRUE(longText + "!" + '\0' == stored) << stored.size() << " bytes";
}

TEST_F(RegistryPaneTest, TheTreeAndListPanesShareOneLayout)
{
    CRegistryEntriesPane& registry = Pane();
    RECT pane = {};
    ::GetClientRect(registry.GetSafeHwnd(), &pane);
    RECT list = {};
    ::GetWindowRect(Values(), &list);
    ::MapWindowPoints(nullptr, registry.GetSafeHwnd(), reinterpret_cast<POINT*>(&list), 2);
    int treeWidth = static_cast<int>(0.45 * pane.right);
    EXPECT_EQ(treeWidth, controls::WindowWidth(Keys()));
    EXPECT_EQ(pane.bottom, controls::WindowHeight(Keys()));
    EXPECT_EQ(4 + treeWidth, list.left);
    EXPECT_EQ(static_cast<int>(0.55 * pane.right) - 4, list.right - list.left);
    int listWidth = list.right - list.left;
    EXPECT_EQ(static_cast<int>(0.25 * listWidth), ::SendMessageA(Values(), LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(static_cast<int>(0.70 * listWidth), ::SendMessageA(Values(), LVM_GETCOLUMNWIDTH, 1, 0));

    CDependenciesPane& dependencies = *Frame().GetTabView()->GetDependenciesPane();
    Frame().GetTabView()->SelectPage(CTabView::PageDependencies);
    ::GetClientRect(dependencies.GetSafeHwnd(), &pane);
    ::GetWindowRect(dependencies.GetAttributeList(), &list);
    ::MapWindowPoints(nullptr, dependencies.GetSafeHwnd(), reinterpret_cast<POINT*>(&list), 2);
    treeWidth = static_cast<int>(0.30 * pane.right);
    EXPECT_EQ(treeWidth, controls::WindowWidth(dependencies.GetDependencyTree()));
    EXPECT_EQ(4 + treeWidth, list.left);
    EXPECT_EQ(static_cast<int>(0.70 * pane.right) - 4, list.right - list.left);
    listWidth = list.right - list.left;
    EXPECT_EQ(static_cast<int>(0.30 * listWidth),
              ::SendMessageA(dependencies.GetAttributeList(), LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(static_cast<int>(0.65 * listWidth),
              ::SendMessageA(dependencies.GetAttributeList(), LVM_GETCOLUMNWIDTH, 1, 0));
}

} // namespace
