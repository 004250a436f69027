#include "orrery/app/tests/ui_fixture.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

class LiveCatalogueTest : public MainWindowTest {
protected:
    static void SetUpTestSuite()
    {
        MainWindowTest::SetUpTestSuite();
        OpenMainWindow(true);
    }
};

// The tree over the machine's own registry: every record of each category is
// one item, labelled by its ProgID, and the count pane agrees.
TEST_F(LiveCatalogueTest, TheTreeShowsEveryRecordOfEachCategory)
{
    size_t total = 0;
    for (int tab = 0; tab < 3; ++tab) {
        Tree().SelectTab(tab);
        std::vector<std::string> expected;
        for (orrery::CComObject* record : orrery::RecordsOf(*Tree().CurrentList()))
            expected.push_back(record->GetProgID());
        std::vector<std::string> labels = Labels();
        std::sort(expected.begin(), expected.end());
        std::sort(labels.begin(), labels.end());
        EXPECT_EQ(expected, labels) << "tab " << tab;
        EXPECT_EQ("Items: " + std::to_string(expected.size()), ItemCountText());
        total += expected.size();
    }
    EXPECT_GT(total, 50u) << "a Wine prefix registers many classes";

    Tree().SelectTab(0);
    ASSERT_FALSE(Labels().empty());
    Select(Labels().front());
    EXPECT_GE(ListRows(Frame().GetAttributeView()->GetList()).size(), 8u);
    HWND keys = Frame().GetTabView()->GetRegistryPane()->GetKeyTree();
    EXPECT_EQ("HKEY_CLASSES_ROOT", TreeChildTexts(keys, TVI_ROOT).at(0));
    EXPECT_EQ("CLSID", TreeChildTexts(keys, TreeView_GetRoot(keys)).at(0));
}

} // namespace
