#include "orrery/app/missing_dependencies_dlg.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/help.h"
#include "orrery/app/object_tree.h"
#include "orrery/app/program_state.h"
#include "orrery/dependencies/missing_search.h"
#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/wait_cursor.h"
#include "orrery/framework/win_app.h"
#include "orrery/res/resource.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

const char kCaptionPrefix[] = "Find Missing Dependencies for ";
const int kMarkImage = CObjectTree::kMissingDependencyImage;

// The objects under the tree's root, taken once when the search starts.
class CTreeObjects : public orrery::CSearchObjects {
public:
    explicit CTreeObjects(HWND tree) : m_tree(tree)
    {
        HTREEITEM root = TreeView_GetRoot(tree);
        for (HTREEITEM item = root ? TreeView_GetChild(tree, root) : nullptr; item;
             item = TreeView_GetNextSibling(tree, item))
            m_items.push_back(item);
    }

    std::size_t Count() const override { return m_items.size(); }

    orrery::CComFile* Object(std::size_t index) const override
    {
        return reinterpret_cast<orrery::CComFile*>(controls::TreeItemData(m_tree, m_items[index]));
    }

    void MarkMissingDependency(std::size_t index) override
    {
        TVITEMA item = {};
        item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        item.hItem = m_items[index];
        item.iImage = item.iSelectedImage = kMarkImage;
        ::SendMessageA(m_tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }

private:
    HWND m_tree;
    std::vector<HTREEITEM> m_items;
};

// The two counters and the progress bar, repainted at once so that they move
// while the search holds the thread.
class CFinderProgress : public orrery::CSearchProgress {
public:
    explicit CFinderProgress(HWND dialog) : m_dialog(dialog) {}

    void ShowMissing(long missing) override { ShowCount(IDC_FINDER_MISSING, missing); }

    void ShowProcessed(long processed) override
    {
        ShowCount(IDC_FINDER_PROCESSED, processed);
        HWND bar = ::GetDlgItem(m_dialog, IDC_FINDER_PROGRESS);
        ::SendMessageA(bar, PBM_STEPIT, 0, 0);
        ::UpdateWindow(bar);
    }

private:
    void ShowCount(int id, long count)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%ld", count);
        HWND field = ::GetDlgItem(m_dialog, id);
        ::SetWindowTextA(field, text);
        ::UpdateWindow(field);
    }

    HWND m_dialog;
};

} // namespace

CMissingDependenciesDlg::CMissingDependenciesDlg(const std::string& categoryName, HWND objectTree)
    : CDialog(IDD_MISSING_DEPENDENCIES), m_categoryName(categoryName), m_objectTree(objectTree)
{
}

bool CMissingDependenciesDlg::OnInitDialog()
{
    ::SetWindowTextA(m_hWnd, (kCaptionPrefix + m_categoryName).c_str());
    ::SetWindowTextA(GetDlgItem(IDC_FINDER_CATEGORY), m_categoryName.c_str());
    return true;
}

// The mark is the object tree's own image, so the dialog shows what the tree will.
void CMissingDependenciesDlg::DrawMark(const DRAWITEMSTRUCT& item)
{
    ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageA(m_objectTree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
    int height = item.rcItem.bottom - item.rcItem.top;
    if (images)
        ImageList_Draw(images, kMarkImage, item.hDC, item.rcItem.left, item.rcItem.top + (height - 16) / 2,
                       ILD_TRANSPARENT);
}

void CMissingDependenciesDlg::Search()
{
    CWaitCursor wait;
    CTreeObjects objects(m_objectTree);
    HWND bar = GetDlgItem(IDC_FINDER_PROGRESS);
    ::SendMessageA(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(objects.Count()));
    ::SendMessageA(bar, PBM_SETPOS, 0, 0);
    ::SendMessageA(bar, PBM_SETSTEP, 1, 0);
    CFinderProgress progress(m_hWnd);
    orrery::SearchMissingDependencies(Machine(), objects, progress);
    SoundEndOfSearch();
}

void CMissingDependenciesDlg::SoundEndOfSearch()
{
    ::MessageBeep(0xFFFFFFFF);
}

LRESULT CMissingDependenciesDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_DRAWITEM && wp == IDC_FINDER_MARK) {
        DrawMark(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    }
    return CDialog::WindowProc(msg, wp, lp);
}

bool CMissingDependenciesDlg::OnCommand(UINT id, UINT code, HWND control)
{
    switch (id) {
    case IDC_FINDER_SEARCH:
        ::EnableWindow(GetDlgItem(IDOK), FALSE);
        Search();
        ::EnableWindow(GetDlgItem(IDOK), TRUE);
        return true;
    case IDHELP: {
        CWinApp* app = CWinApp::Get();
        HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : ::GetActiveWindow();
        ShowHelp(owner, HelpMissingDependencies);
        return true;
    }
    default:
        return CDialog::OnCommand(id, code, control);
    }
}
