#include "orrery/app/object_tree.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"
#include "orrery/app/splash_wnd.h"
#include "orrery/app/splitter_frame.h"
#include "orrery/framework/wait_cursor.h"
#include "orrery/framework/win_app.h"
#include "orrery/reports/browser_page.h"
#include "orrery/reports/compare_command.h"
#include "orrery/reports/registry_editor.h"
#include "orrery/reports/server_file_commands.h"

#include <algorithm>
#include <cstdio>

namespace {

const CCommandEntry<CObjectTree> kCommands[] = {
    {ID_UNREGISTER, &CObjectTree::CanUnregister, &CObjectTree::OnUnregister},
    {ID_REMOVE_FROM_REGISTRY, &CObjectTree::HasSelection, &CObjectTree::OnRemoveFromRegistry},
    {ID_REGISTER, &CObjectTree::IsServerTab, &CObjectTree::OnRegister},
    {ID_GOTO_FILE_LOCATION, &CObjectTree::HasSelection, &CObjectTree::OnGotoFileLocation},
    {ID_RUN_EXE_SERVER, &CObjectTree::CanRunExeServer, &CObjectTree::OnRunExeServer},
    {ID_COMPARE_WITH, &CObjectTree::HasFoundSelection, &CObjectTree::OnCompareWith},
    {ID_VIEW_IN_IE, &CObjectTree::CanViewInBrowser, &CObjectTree::OnViewInBrowser},
    {ID_JUMP_CLSID, &CObjectTree::HasSelection, &CObjectTree::OnJumpToClsid},
    {ID_JUMP_PROGID, &CObjectTree::HasSelection, &CObjectTree::OnJumpToProgId},
    {ID_JUMP_TYPELIB, &CObjectTree::HasSelection, &CObjectTree::OnJumpToTypeLib},
};

const int kTabTextLength = 64;

// In the order of the images: the three categories, then misbehaved and
// missing dependency.
const int kBitmaps[] = {IDB_CONTROL, IDB_DLL_SERVER, IDB_EXE_SERVER, IDB_MISBEHAVED, IDB_MISSING_DEPENDENCY};

HTREEITEM InsertTreeItem(HWND tree, HTREEITEM parent, HTREEITEM after, const std::string& text, int image,
                         orrery::CComObject* record)
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = insert.item.iSelectedImage = image;
    insert.item.lParam = reinterpret_cast<LPARAM>(record);
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

} // namespace

CObjectTree::CObjectTree() : CFormView(IDD_OBJECT_TREE), m_catalogue(Machine()) {}

CObjectTree::~CObjectTree()
{
    m_catalogue.ClearCatalogue();
    if (m_images)
        ImageList_Destroy(m_images);
}

CSplitterFrame* CObjectTree::Frame() const
{
    return dynamic_cast<CSplitterFrame*>(GetParentFrame());
}

void CObjectTree::OnInitialUpdate()
{
    CSplashWnd splash;
    splash.Show();
    m_images = controls::CreateImageList(kBitmaps, 5);
    ::SendMessageA(GetTree(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(m_images));
    ::SendMessageA(GetTabs(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    for (int tab = 0; tab < orrery::kCategoryCount; ++tab) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(orrery::kCategoryTabText[tab]);
        item.iImage = tab;
        ::SendMessageA(GetTabs(), TCM_INSERTITEMA, tab, reinterpret_cast<LPARAM>(&item));
    }
    RefreshCatalogue(false, &splash);
    splash.DestroyWindow();
}

void CObjectTree::RefreshCatalogue(bool showWaitWindow, CSplashWnd* progressWindow)
{
    CWaitCursor wait;
    CSearchWaitDlg waitWindow;
    if (showWaitWindow)
        waitWindow.Show(::GetAncestor(m_hWnd, GA_ROOT));
    m_catalogue.RefreshCatalogue(
        [progressWindow](const char* text) {
            if (progressWindow)
                progressWindow->SetStatusText(text);
        },
        [this] { FillTree(); });
    waitWindow.DestroyWindow();
    if (showWaitWindow)
        RefocusTree();
}

std::string CObjectTree::TreeLabel(orrery::CComObject& record) const
{
    switch (Options().DisplayInList) {
    case LabelClsid:
        return record.GetClsid();
    case LabelFileLocation:
        return record.GetFilePath();
    case LabelTypeLibName:
        return record.GetTypeLibName();
    default:
        return record.GetProgID();
    }
}

void CObjectTree::FillTree()
{
    HWND tree = GetTree();
    m_filling = true;
    controls::SetRedraw(tree, false);
    ::SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    m_selectedItem = nullptr;
    int tab = CurrentTab();
    HTREEITEM root = InsertTreeItem(tree, TVI_ROOT, TVI_LAST, CurrentTabText(), tab, nullptr);
    if (orrery::CObjectList* list = CurrentList()) {
        for (const std::unique_ptr<orrery::CComObject>& record : *list) {
            bool found = record->IsFound();
            if (found ? !Options().DisplayInstalled : !Options().DisplayMissing)
                continue;
            InsertTreeItem(tree, root, TVI_SORT, TreeLabel(*record), found ? tab : kMisbehavedImage, record.get());
        }
    }
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    controls::SetRedraw(tree, true);
    m_filling = false;
    ShowSelectedObject();
    ShowItemCount();
}

// The count pane keeps its width unless its text needs more.
void CObjectTree::ShowItemCount()
{
    CSplitterFrame* frame = Frame();
    if (!frame)
        return;
    orrery::CObjectList* list = CurrentList();
    char text[64];
    std::snprintf(text, sizeof text, "Items: %ld", list ? static_cast<long>(list->size()) : 0L);
    CStatusBar& status = frame->GetStatusBar();
    int width = std::max(static_cast<int>(CSplitterFrame::kItemCountWidth), status.TextWidth(text));
    if (width != status.GetPaneWidth(CSplitterFrame::PaneItemCount))
        status.SetPaneInfo(CSplitterFrame::PaneItemCount, ID_SEPARATOR, width);
    status.SetPaneText(CSplitterFrame::PaneItemCount, text);
}

void CObjectTree::ShowSelectedObject()
{
    CSplitterFrame* frame = Frame();
    CQuillonView* attributes = frame ? frame->GetAttributeView() : nullptr;
    CTabView* tabs = frame ? frame->GetTabView() : nullptr;
    CDependenciesPane* dependencies = tabs ? tabs->GetDependenciesPane() : nullptr;
    CRegistryEntriesPane* registry = tabs ? tabs->GetRegistryPane() : nullptr;
    if (!attributes || !dependencies || !registry)
        return;
    HWND redrawn[] = {attributes->GetList(), registry->GetKeyTree(), dependencies->GetDependencyTree()};
    for (HWND control : redrawn)
        controls::SetRedraw(control, false);
    ::SendMessageA(attributes->GetList(), LVM_DELETEALLITEMS, 0, 0);
    registry->Clear();
    dependencies->Clear();
    if (orrery::CComObject* record = GetSelectedRecord()) {
        CListViewRows rows(attributes->GetList(), controls::kAttributeRowImages);
        record->FillAttributeList(rows);
        dependencies->FillDependencies(*record);
        registry->FillKeys(*record);
    }
    for (HWND control : redrawn)
        controls::SetRedraw(control, true);
}

void CObjectTree::RemoveSelectedRecord()
{
    orrery::CComObject* record = GetSelectedRecord();
    if (m_selectedItem)
        ::SendMessageA(GetTree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(m_selectedItem));
    m_selectedItem = TreeView_GetSelection(GetTree());
    if (record)
        m_catalogue.RemoveSelectedRecord(CurrentTab(), record);
    ShowItemCount();
}

void CObjectTree::SelectTab(int tab)
{
    ::SendMessageA(GetTabs(), TCM_SETCURSEL, tab, 0);
    FillTree();
}

int CObjectTree::CurrentTab() const
{
    return static_cast<int>(::SendMessageA(GetTabs(), TCM_GETCURSEL, 0, 0));
}

std::string CObjectTree::CurrentTabText() const
{
    char text[kTabTextLength + 1] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = kTabTextLength;
    int tab = CurrentTab();
    if (tab < 0 || !::SendMessageA(GetTabs(), TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item)))
        return std::string();
    return text;
}

orrery::CObjectList* CObjectTree::CurrentList()
{
    return m_catalogue.CurrentList(CurrentTab());
}

orrery::CComObject* CObjectTree::GetSelectedRecord() const
{
    return reinterpret_cast<orrery::CComObject*>(controls::TreeItemData(GetTree(), m_selectedItem));
}

bool CObjectTree::HasSelection() const
{
    return GetSelectedRecord() != nullptr;
}

bool CObjectTree::HasFoundSelection() const
{
    orrery::CComObject* record = GetSelectedRecord();
    return record && record->IsFound();
}

bool CObjectTree::IsServerTab() const
{
    int tab = CurrentTab();
    return tab == orrery::CategoryControls || tab == orrery::CategoryDllServers;
}

bool CObjectTree::CanUnregister() const
{
    return HasFoundSelection() && IsServerTab();
}

bool CObjectTree::CanRunExeServer() const
{
    return HasSelection() && CurrentTab() == orrery::CategoryExeServers;
}

bool CObjectTree::CanViewInBrowser() const
{
    return HasSelection() && CurrentTab() == orrery::CategoryControls;
}

bool CObjectTree::OnUpdateCmdUI(CCmdUI& ui)
{
    return UpdateFromTable(this, kCommands, ui);
}

bool CObjectTree::OnCmdMsg(UINT id)
{
    return DispatchFromTable(this, kCommands, id);
}

bool CObjectTree::HasHandler(UINT id)
{
    return HasHandlerInTable(kCommands, id);
}

void CObjectTree::ReselectCaretItem()
{
    m_selectedItem = TreeView_GetSelection(GetTree());
}

// When a box or window closes, the frame hands the keyboard to the active
// view, and the view to its first control, the category tabs.
void CObjectTree::RefocusTree()
{
    CSplitterFrame* frame = Frame();
    if (frame && frame->GetActiveView() == this)
        ::SetFocus(GetTree());
}

void CObjectTree::RunTool(void (*tool)(orrery::CComObject& record, HWND owner))
{
    if (orrery::CComObject* record = GetSelectedRecord())
        tool(*record, ::GetAncestor(m_hWnd, GA_ROOT));
    ReselectCaretItem();
}

void CObjectTree::OnGotoFileLocation()
{
    RunTool(GotoFileLocation);
}

void CObjectTree::OnRunExeServer()
{
    RunTool(RunExeServer);
}

void CObjectTree::OnCompareWith()
{
    RunTool(CompareWithObject);
}

void CObjectTree::OnViewInBrowser()
{
    RunTool(ViewInBrowser);
}

void CObjectTree::JumpTo(orrery::JumpTarget target)
{
    if (orrery::CComObject* record = GetSelectedRecord())
        JumpToRegistryKey(orrery::RegistryJumpPath(target, *record));
    ReselectCaretItem();
}

void CObjectTree::OnJumpToClsid()
{
    JumpTo(orrery::JumpToClsid);
}

void CObjectTree::OnJumpToProgId()
{
    JumpTo(orrery::JumpToProgId);
}

void CObjectTree::OnJumpToTypeLib()
{
    JumpTo(orrery::JumpToTypeLib);
}

void CObjectTree::OnSelectionChanged(HTREEITEM item)
{
    if (m_filling)
        return;
    m_selectedItem = item;
    ShowSelectedObject();
}

void CObjectTree::OnRightClick()
{
    HWND tree = GetTree();
    TVHITTESTINFO hit = {};
    ::GetCursorPos(&hit.pt);
    ::ScreenToClient(tree, &hit.pt);
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    // Off an item's label and icon the click names no object: the commands
    // keep working on the object the tree shows selected, and no menu opens.
    if (!item || !(hit.flags & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMSTATEICON))) {
        ReselectCaretItem();
        return;
    }
    m_selectedItem = item;
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(m_selectedItem));
    CWinApp* app = CWinApp::Get();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : ::GetAncestor(m_hWnd, GA_ROOT);
    HMENU menu = ::GetMenu(owner);
    POINT point;
    ::GetCursorPos(&point);
    if (menu)
        ::TrackPopupMenu(::GetSubMenu(menu, 1), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, owner,
                         nullptr);
}

void CObjectTree::OnKeyDown(WORD key)
{
    if (key == VK_F5)
        RefreshCatalogue(true, nullptr);
    else if (key == VK_DELETE)
        DispatchFromTable(this, kCommands, ID_REMOVE_FROM_REGISTRY);
}

bool CObjectTree::OnNotify(NMHDR& header, LRESULT& result)
{
    result = 0;
    if (header.idFrom == IDC_CATEGORY_TABS && header.code == TCN_SELCHANGE) {
        FillTree();
        return true;
    }
    if (header.idFrom != IDC_OBJECT_TREE)
        return false;
    switch (header.code) {
    case TVN_SELCHANGEDA:
        OnSelectionChanged(reinterpret_cast<NMTREEVIEWA&>(header).itemNew.hItem);
        return true;
    case NM_DBLCLK:
        OnGotoFileLocation();
        return true;
    case NM_RCLICK:
        OnRightClick();
        result = 1;
        return true;
    case TVN_KEYDOWN:
        OnKeyDown(reinterpret_cast<NMTVKEYDOWN&>(header).wVKey);
        return true;
    default:
        return false;
    }
}

// The tabs keep their height across the top; the tree fills the rest.
void CObjectTree::OnSize(int cx, int cy)
{
    if (IsLayoutSuspended())
        return;
    int tabHeight = controls::WindowHeight(GetTabs());
    controls::Place(GetTabs(), 0, 0, cx, tabHeight);
    controls::Place(GetTree(), 0, tabHeight, cx, cy - tabHeight);
}

void CObjectTree::OnDestroy()
{
    // The tree outlives the records by a moment: its last selection notices
    // must not reach records that are gone.
    m_filling = true;
    m_selectedItem = nullptr;
    m_catalogue.ClearCatalogue();
}
