// Shared set-up of the window tests: an application object for the command
// route, a machine of our own making in memory (or the live one), and the
// main window created the way start-up creates it.
#ifndef ORRERY_APP_TESTS_UI_FIXTURE_H
#define ORRERY_APP_TESTS_UI_FIXTURE_H

#include "orrery/app/quillon_app.h"
#include "orrery/app/splitter_frame.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// Handles the messages waiting in the queue.
void PumpMessages();

struct AttributeRow {
    std::string label;
    std::string value;
    int image;
    bool operator==(const AttributeRow& other) const
    {
        return label == other.label && value == other.value && image == other.image;
    }
};
std::ostream& operator<<(std::ostream& out, const AttributeRow& row);

std::vector<AttributeRow> ListRows(HWND list);
// The children of parent (TVI_ROOT: the top level) as texts.
std::vector<std::string> TreeChildTexts(HWND tree, HTREEITEM parent);
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text);
// The image and the selected image of an item.
std::pair<int, int> TreeItemImages(HWND tree, HTREEITEM item);
// Every item below parent as "text" lines indented by depth, depth first.
std::string TreeOutline(HWND tree, HTREEITEM parent);
// The text on the clipboard ("<clipboard not opened>" when it cannot be
// opened).
std::string ClipboardText();

// The main window is made once per test suite (each top-level window costs
// Wine about a second to show and to take down); every test starts from a
// fresh catalogue scan, the first tab, default options and the tree active.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    // Creates the main window over the in-memory machine (or the live one),
    // once per suite.
    static void OpenMainWindow(bool liveMachine = false);
    static orrery::CMemoryPlatform& Machine() { return *s_machine; }

    CSplitterFrame& Frame() { return *s_frame; }
    CObjectTree& Tree() { return *s_frame->GetObjectTree(); }
    HWND TreeControl() { return Tree().GetTree(); }
    HTREEITEM RootItem() { return TreeView_GetRoot(TreeControl()); }
    std::vector<std::string> Labels() { return TreeChildTexts(TreeControl(), RootItem()); }
    // Selects the object labelled label as a click does.
    void Select(const std::string& label);
    std::string ItemCountText() { return Frame().GetStatusBar().GetPaneText(1); }

private:
    static orrery::CMemoryPlatform* s_machine;
    static CQuillonApp* s_app;
    static CSplitterFrame* s_frame;
};

// The main window over the sample machine (AddSampleClasses).
class SampleWindowTest : public MainWindowTest {
protected:
    static void SetUpTestSuite();
};

// A small machine: two controls (one misbehaved), two DLL servers, one EXE
// server with an AppID and arguments, and one class without a ProgID.
// Its classes, type library and AppID are named by GUIDs, as real ones are.
void AddSampleClasses(orrery::CMemoryPlatform& machine);
inline const std::string kGaugeClsid = "{6F7E0C01-0000-4000-8000-0000000000C1}";    // Orrery.Gauge.1
inline const std::string kDialClsid = "{6F7E0C02-0000-4000-8000-0000000000C2}";     // Orrery.Dial, file missing
inline const std::string kEngineClsid = "{6F7E0D01-0000-4000-8000-0000000000D1}";   // Orrery.Engine
inline const std::string kCodecClsid = "{6F7E0D02-0000-4000-8000-0000000000D2}";    // Alpha.Codec
inline const std::string kServerClsid = "{6F7E0E01-0000-4000-8000-0000000000E1}";   // Orrery.Server, EXE
inline const std::string kHiddenClsid = "{6F7E0F01-0000-4000-8000-0000000000F1}";   // no ProgID
inline const std::string kGaugeLibrary = "{6F7E1B01-0000-4000-8000-000000001B01}";  // the gauge's type library
inline const std::string kServerAppId = "{6F7EA001-0000-4000-8000-00000000A001}";   // the EXE server's AppID

#endif
