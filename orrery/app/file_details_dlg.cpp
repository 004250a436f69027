#include "orrery/app/file_details_dlg.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"
#include "orrery/app/tree_list_pane.h"
#include "orrery/catalogue/com_object.h"

#include <commctrl.h>

const char CFileDetailsDlg::kTitlePrefix[] = "COM File Details - ";

CFileDetailsDlg::CFileDetailsDlg(orrery::CComObject& record) : CDialog(IDD_FILE_DETAILS), m_record(record) {}

CFileDetailsDlg::~CFileDetailsDlg()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

bool CFileDetailsDlg::OnInitDialog()
{
    m_images = controls::CreateAttributeImages();
    HWND list = GetAttributeList();
    ::SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(m_images));
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    int width = controls::WindowWidth(list);
    controls::InsertColumn(list, 0, "Name", static_cast<int>(0.30 * width));
    controls::InsertColumn(list, 1, "Value", static_cast<int>(0.65 * width));

    m_registry.Create(m_hWnd);
    m_dependencies.Create(m_hWnd);
    static const char* const kPageTitles[] = {"Attributes", "Dependencies", "Registry Entries"};
    for (int page = 0; page < 3; ++page) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPageTitles[page]);
        ::SendMessageA(GetTabs(), TCM_INSERTITEMA, page, reinterpret_cast<LPARAM>(&item));
    }
    ShowCurrentPage();
    FillPages();

    // One pixel more on every side: the resize lays the pages out.
    RECT window = {};
    ::GetWindowRect(m_hWnd, &window);
    ::MoveWindow(m_hWnd, window.left - 1, window.top - 1, window.right - window.left + 2,
                 window.bottom - window.top + 2, TRUE);
    ::SetWindowTextA(m_hWnd, (kTitlePrefix + m_record.GetProgID()).c_str());
    ::MessageBeep(0xFFFFFFFF);
    return true;
}

void CFileDetailsDlg::FillPages()
{
    CListViewRows rows(GetAttributeList(), controls::kAttributeRowImages);
    m_record.FillAttributeList(rows);
    m_dependencies.FillDependencies(m_record);
    m_registry.FillKeys(m_record);
}

void CFileDetailsDlg::SelectPage(int page)
{
    ::SendMessageA(GetTabs(), TCM_SETCURSEL, page, 0);
    ShowCurrentPage();
}

void CFileDetailsDlg::ShowCurrentPage()
{
    int page = static_cast<int>(::SendMessageA(GetTabs(), TCM_GETCURSEL, 0, 0));
    ::ShowWindow(GetAttributeList(), page == PageAttributes ? SW_SHOW : SW_HIDE);
    ::ShowWindow(m_dependencies.GetSafeHwnd(), page == PageDependencies ? SW_SHOW : SW_HIDE);
    ::ShowWindow(m_registry.GetSafeHwnd(), page == PageRegistryEntries ? SW_SHOW : SW_HIDE);
}

// The tabs keep their height across the top; the pages share the space down
// to the button strip, one pixel in from each side. The OK button sits at
// the right of the strip.
void CFileDetailsDlg::Layout(int width, int height)
{
    HWND tabs = GetTabs();
    if (!tabs)
        return;
    SetLayoutSuspended(false);
    int tabHeight = controls::WindowHeight(tabs);
    controls::Place(tabs, 0, 0, width, tabHeight);
    int pageHeight = height - tabHeight - kButtonStrip;
    for (HWND page : {GetAttributeList(), m_dependencies.GetSafeHwnd(), m_registry.GetSafeHwnd()})
        controls::Place(page, 1, tabHeight, width - 2, pageHeight);
    HWND ok = GetDlgItem(IDOK);
    int okWidth = controls::WindowWidth(ok);
    int okHeight = controls::WindowHeight(ok);
    controls::Place(ok, width - okWidth - 6, height - (kButtonStrip + okHeight) / 2, okWidth, okHeight);
}

void CFileDetailsDlg::ShowCopyMenu()
{
    CTreeListPane::ShowMenuAtCursor(IDR_COPY_MENU, m_hWnd);
}

void CFileDetailsDlg::OnCopyToClipboard()
{
    CTreeListPane::CopySelectedValue(GetAttributeList());
}

bool CFileDetailsDlg::OnCommand(UINT id, UINT code, HWND control)
{
    if (id == ID_COPY_TO_CLIPBOARD) {
        OnCopyToClipboard();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

bool CFileDetailsDlg::OnNotify(const NMHDR& header)
{
    if (header.idFrom == IDC_DETAILS_TABS && header.code == TCN_SELCHANGE) {
        ShowCurrentPage();
        return true;
    }
    if (header.idFrom != IDC_DETAILS_ATTRIBUTES)
        return false;
    if (header.code == NM_RCLICK)
        ShowCopyMenu();
    else if (CTreeListPane::IsCopyKey(header))
        OnCopyToClipboard();
    else
        return false;
    return true;
}

LRESULT CFileDetailsDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_SIZE:
        Layout(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_NOTIFY:
        if (OnNotify(*reinterpret_cast<const NMHDR*>(lp)))
            return 0;
        break;
    case WM_DESTROY:
        m_registry.DestroyWindow();
        m_dependencies.DestroyWindow();
        break;
    default:
        break;
    }
    return CDialog::WindowProc(msg, wp, lp);
}
