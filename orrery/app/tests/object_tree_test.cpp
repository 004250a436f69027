#include "orrery/app/tests/ui_fixture.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"
#include "orrery/app/splash_wnd.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class ObjectTreeTest : public SampleWindowTest {
protected:
    // The image of an object item, which is also its selected image.
    int ImageOf(const std::string& label)
    {
        std::pair<int, int> images = TreeItemImages(TreeControl(), FindChild(TreeControl(), RootItem(), label));
        EXPECT_EQ(images.first, images.second) << label;
        return images.first;
    }

    std::vector<AttributeRow> AttributeRows() { return ListRows(Frame().GetAttributeView()->GetList()); }
    HWND KeyTree() { return Frame().GetTabView()->GetRegistryPane()->GetKeyTree(); }
};

TEST_F(ObjectTreeTest, EachTabListsItsCategoryUnderARootNamedAfterTheTab)
{
    EXPECT_EQ(0, Tree().CurrentTab());
    EXPECT_EQ((std::vector<std::string>{"Controls"}), TreeChildTexts(TreeControl(), TVI_ROOT));
    EXPECT_EQ(std::make_pair(0, 0), TreeItemImages(TreeControl(), RootItem()));
    EXPECT_EQ((std::vector<std::string>{"Orrery.Dial", "Orrery.Gauge.1"}), Labels());
    EXPECT_EQ(0, ImageOf("Orrery.Gauge.1"));
    EXPECT_EQ(3, ImageOf("Orrery.Dial"));
    EXPECT_EQ("Items: 2", ItemCountText());

    Tree().SelectTab(1);
    EXPECT_EQ("DLL Servers", TreeChildTexts(TreeControl(), TVI_ROOT).at(0));
    EXPECT_EQ(std::make_pair(1, 1), TreeItemImages(TreeControl(), RootItem()));
    EXPECT_EQ((std::vector<std::string>{"Alpha.Codec", "Orrery.Dial", "Orrery.Engine"}), Labels());
    EXPECT_EQ(1, ImageOf("Orrery.Engine"));
    EXPECT_EQ(3, ImageOf("Orrery.Dial"));
    EXPECT_EQ("Items: 3", ItemCountText());

    Tree().SelectTab(2);
    EXPECT_EQ("EXE Servers", TreeChildTexts(TreeControl(), TVI_ROOT).at(0));
    EXPECT_EQ((std::vector<std::string>{"Orrery Server Application"}), Labels());
    EXPECT_EQ(2, ImageOf("Orrery Server Application"));
    EXPECT_EQ("Items: 1", ItemCountText());
}

TEST_F(ObjectTreeTest, ClickingATabRefillsTheTree)
{
    HWND tabs = Tree().GetTabs();
    ::SendMessageA(tabs, TCM_SETCURSEL, 2, 0);
    NMHDR header = {tabs, IDC_CATEGORY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    ::SendMessageA(Tree().GetSafeHwnd(), WM_NOTIFY, IDC_CATEGORY_TABS, reinterpret_cast<LPARAM>(&header));
    EXPECT_EQ((std::vector<std::string>{"Orrery Server Application"}), Labels());
}

TEST_F(ObjectTreeTest, DisplayOptionsHideObjectsButTheCountKeepsThem)
{
    Options().DisplayMissing = false;
    Tree().FillTree();
    EXPECT_EQ((std::vector<std::string>{"Orrery.Gauge.1"}), Labels());
    EXPECT_EQ("Items: 2", ItemCountText());

    Options().DisplayMissing = true;
    Options().DisplayInstalled = false;
    Tree().FillTree();
    EXPECT_EQ((std::vector<std::string>{"Orrery.Dial"}), Labels());

    Options().DisplayMissing = false;
    Tree().FillTree();
    EXPECT_TRUE(Labels().empty());
    EXPECT_EQ((std::vector<std::string>{"Controls"}), TreeChildTexts(TreeControl(), TVI_ROOT));
    EXPECT_EQ("Items: 2", ItemCountText());
}

TEST_F(ObjectTreeTest, DisplayInListChoosesTheLabel)
{
    Options().DisplayInList = LabelClsid;
    Tree().FillTree();
    EXPECT_EQ((std::vector<std::string>{kGaugeClsid, kDialClsid}), Labels());
    Options().DisplayInList = LabelFileLocation;
    Tree().FillTree();
    EXPECT_EQ((std::vector<std::string>{"C:\\lib\\dial.dll", "C:\\lib\\gauge.ocx"}), Labels());
    Options().DisplayInList = LabelTypeLibName;
    Tree().FillTree();
    EXPECT_EQ((std::vector<std::string>{"Gauge Library", "Not Defined"}), Labels());
    Options().DisplayInList = 7;
    Tree().FillTree();
    EXPECT_EQ((std::vector<std::string>{"Orrery.Dial", "Orrery.Gauge.1"}), Labels());
}

TEST_F(ObjectTreeTest, SelectingAWellBehavedControlListsItsAttributes)
{
    EXPECT_TRUE(AttributeRows().empty());
    Select("Orrery.Gauge.1");
    std::vector<AttributeRow> rows = AttributeRows();
    ASSERT_EQ(20u, rows.size());
    EXPECT_EQ((AttributeRow{"ProgID", "Orrery.Gauge.1", 0}), rows[0]);
    EXPECT_EQ((AttributeRow{"Version", "1.0", 0}), rows[1]);
    EXPECT_EQ((AttributeRow{"CLSID", kGaugeClsid, 0}), rows[2]);
    EXPECT_EQ((AttributeRow{"TypeLib Name", "Gauge Library", 0}), rows[3]);
    EXPECT_EQ((AttributeRow{"TypeLib", kGaugeLibrary, 0}), rows[4]);
    EXPECT_EQ((AttributeRow{"File Location", "C:\\lib\\gauge.ocx", 1}), rows[5]);
    EXPECT_EQ((AttributeRow{"Status", "File Exists", 1}), rows[6]);
    EXPECT_EQ((AttributeRow{"File Size", "12345 Bytes", 1}), rows[7]);
    EXPECT_EQ((AttributeRow{"File Description", "Gauge Control", 2}), rows[11]);
    EXPECT_EQ((AttributeRow{"Company Name", "Tarnwick", 2}), rows[12]);
    EXPECT_EQ((AttributeRow{"Product Version", "", 2}), rows[18]);
    EXPECT_EQ((AttributeRow{"Toolbox Bitmap", "C:\\lib\\gauge.ocx, 1", 1}), rows[19]);
}

TEST_F(ObjectTreeTest, SelectingAMisbehavedObjectShowsTheWarningAndNoFileRows)
{
    Select("Orrery.Dial");
    std::vector<AttributeRow> rows = AttributeRows();
    ASSERT_EQ(8u, rows.size());
    EXPECT_EQ((AttributeRow{"Status", "SEVERE WARNING: File does not exist", 3}), rows[6]);
    EXPECT_EQ("Toolbox Bitmap", rows[7].label);

    Select("Orrery.Gauge.1");
    EXPECT_EQ(20u, AttributeRows().size());
    Tree().FillTree();
    EXPECT_TRUE(AttributeRows().empty());
    EXPECT_EQ(nullptr, Tree().GetSelectedRecord());
}

TEST_F(ObjectTreeTest, TheRegistryPaneShowsTheObjectsKeys)
{
    Select("Orrery.Gauge.1");
    EXPECT_EQ("HKEY_CLASSES_ROOT\n"
              "  CLSID\n"
              "    " + kGaugeClsid + "\n"
              "      ProgID\n"
              "      InprocServer32\n"
              "      Control\n"
              "      TypeLib\n"
              "      Version\n"
              "      ToolboxBitmap32\n"
              "  TypeLib\n"
              "    " + kGaugeLibrary + "\n"
              "      1.0\n"
              "        0\n"
              "          win32\n"
              "  Orrery.Gauge.1\n"
              "    CLSID\n",
              TreeOutline(KeyTree(), TVI_ROOT));
    EXPECT_EQ(std::make_pair(0, 1), TreeItemImages(KeyTree(), TreeView_GetRoot(KeyTree())));

    Tree().SelectTab(2);
    Select("Orrery Server Application");
    std::string outline = TreeOutline(KeyTree(), TVI_ROOT);
    EXPECT_NE(std::string::npos, outline.find("  AppID\n    " + kServerAppId + "\n      Launch\n")) << outline;
    std::vector<AttributeRow> rows = AttributeRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ((AttributeRow{"AppID", kServerAppId, 0}), rows[rows.size() - 2]);
}

TEST_F(ObjectTreeTest, RemovingTheSelectedRecordDropsOnlyThatItem)
{
    Select("Orrery.Dial");
    Tree().RemoveSelectedRecord();
    EXPECT_EQ((std::vector<std::string>{"Orrery.Gauge.1"}), Labels());
    EXPECT_EQ("Items: 1", ItemCountText());
    ASSERT_EQ(1u, Tree().CurrentList()->size());
    EXPECT_EQ(kGaugeClsid, Tree().CurrentList()->front()->GetClsid());
    EXPECT_EQ(Tree().GetSelectedItem(), TreeView_GetSelection(TreeControl()));

    Tree().SelectTab(1);
    EXPECT_EQ((std::vector<std::string>{"Alpha.Codec", "Orrery.Dial", "Orrery.Engine"}), Labels());
}

TEST_F(ObjectTreeTest, F5RebuildsTheCatalogueFromTheRegistry)
{
    Machine().registry.SetString("CLSID\\{C3}\\ProgID", "", "Orrery.Knob");
    Machine().registry.AddKey("CLSID\\{C3}\\Control");
    Select("Orrery.Gauge.1");
    NMTVKEYDOWN key = {};
    key.hdr = {TreeControl(), IDC_OBJECT_TREE, static_cast<UINT>(TVN_KEYDOWN)};
    key.wVKey = VK_F5;
    ::SendMessageA(Tree().GetSafeHwnd(), WM_NOTIFY, IDC_OBJECT_TREE, reinterpret_cast<LPARAM>(&key));
    EXPECT_EQ((std::vector<std::string>{"Orrery.Dial", "Orrery.Gauge.1", "Orrery.Knob"}), Labels());
    EXPECT_EQ("Items: 3", ItemCountText());
    EXPECT_EQ(nullptr, Tree().GetSelectedRecord());
    Machine().registry.RemoveKey("CLSID\\{C3}");
}

// Records the progress texts and, for each, how many objects the tree shows.
class RecordingSplash : public CSplashWnd {
public:
    explicit RecordingSplash(CObjectTree& tree) : m_tree(tree) {}
    void SetStatusText(const char* text) override
    {
        CSplashWnd::SetStatusText(text);
        texts.push_back(text);
        shownItems.push_back(static_cast<int>(TreeView_GetCount(m_tree.GetTree())));
    }
    std::vector<std::string> texts;
    std::vector<int> shownItems;

private:
    CObjectTree& m_tree;
};

TEST_F(ObjectTreeTest, TheSplashShowsEachProgressTextInOrder)
{
    RecordingSplash splash(Tree());
    ASSERT_TRUE(splash.Show());
    EXPECT_EQ("Initializing...", splash.GetStatusText());
    Tree().RefreshCatalogue(false, &splash);
    EXPECT_EQ((std::vector<std::string>{"Initializing Object Lists", "Searching the Registry for COM Objects",
                                        "Initializing the User Interface", "Done."}),
              splash.texts);
    EXPECT_EQ("Done.", splash.GetStatusText());
    ASSERT_EQ(4u, splash.shownItems.size());
    EXPECT_EQ(3, splash.shownItems[2]) << "the tree is filled after the third text";
    EXPECT_EQ(3, splash.shownItems[3]);
    splash.DestroyWindow();
}

TEST_F(ObjectTreeTest, RightClickOffALabelOrIconKeepsTheObjectTheTreeShows)
{
    auto rightClickAt = [this](POINT point) {
        ::ClientToScreen(TreeControl(), &point);
        ::SetCursorPos(point.x, point.y);
        NMHDR header = {TreeControl(), IDC_OBJECT_TREE, static_cast<UINT>(NM_RCLICK)};
        ::SendMessageA(Tree().GetSafeHwnd(), WM_NOTIFY, IDC_OBJECT_TREE, reinterpret_cast<LPARAM>(&header));
    };
    Select("Orrery.Gauge.1");
    HTREEITEM gauge = Tree().GetSelectedItem();
    RECT tree = {};
    ::GetClientRect(TreeControl(), &tree);
    rightClickAt({tree.left + 5, tree.bottom - 5});
    EXPECT_EQ(gauge, Tree().GetSelectedItem());
    EXPECT_TRUE(Frame().IsCommandEnabled(ID_GOTO_FILE_LOCATION));

    // To the right of another object's label: that object is not the one
    // shown, so the commands stay with the one that is.
    HTREEITEM dial = FindChild(TreeControl(), RootItem(), "Orrery.Dial");
    RECT label = {};
    std::memcpy(&label, &dial, sizeof dial);
    ASSERT_TRUE(::SendMessageA(TreeControl(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
    rightClickAt({tree.right - 3, (label.top + label.bottom) / 2});
    EXPECT_EQ(gauge, Tree().GetSelectedItem());
    EXPECT_EQ(gauge, TreeView_GetSelection(TreeControl()));
    EXPECT_TRUE(Frame().IsCommandEnabled(ID_GOTO_FILE_LOCATION));

    // With nothing shown selected, a click on blank space selects nothing.
    ::SendMessageA(TreeControl(), TVM_SELECTITEM, TVGN_CARET, 0);
    rightClickAt({tree.left + 5, tree.bottom - 5});
    EXPECT_EQ(nullptr, Tree().GetSelectedItem());
    EXPECT_FALSE(Frame().IsCommandEnabled(ID_GOTO_FILE_LOCATION));
}

} // namespace

namespace {

// A machine with more DLL servers than a narrow count pane can show.
class ManyObjectsTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        for (int i = 0; i < 1234; ++i) {
            std::string clsid = "{D" + std::to_string(i) + "}";
            std::string progId = "Many.Server." + std::to_string(i);
            Machine().registry.SetString("CLSID\\" + clsid + "\\ProgID", "", progId);
            Machine().registry.SetString("CLSID\\" + clsid + "\\InprocServer32", "", "C:\\many\\s.dll");
        }
        OpenMainWindow();
    }
};

TEST_F(ManyObjectsTest, TheItemCountPaneIsSizedToItsText)
{
    CStatusBar& status = Frame().GetStatusBar();
    Tree().SelectTab(1);
    EXPECT_EQ("Items: 1234", ItemCountText());
    int needed = status.TextWidth("Items: 1234");
    ASSERT_GT(needed, CSplitterFrame::kItemCountWidth) << "the count would not fit the pane's first width";
    EXPECT_EQ(needed, status.GetPaneWidth(1));
    int edges[5] = {};
    ASSERT_EQ(5, ::SendMessageA(status.GetSafeHwnd(), SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges)));
    EXPECT_EQ(needed, edges[1] - edges[0]) << "the pane as the bar draws it";

    // Back on a tab with few objects the pane keeps its first width.
    Tree().SelectTab(0);
    EXPECT_EQ("Items: 0", ItemCountText());
    EXPECT_EQ(CSplitterFrame::kItemCountWidth, status.GetPaneWidth(1));
}

} // namespace
