#include "orrery/app/tab_view.h"

#include "orrery/app/control_adapters.h"
#include "orrery/app/program_state.h"

#include <commctrl.h>

CTabView::CTabView() : CFormView(IDD_TAB_VIEW) {}

void CTabView::OnInitialUpdate()
{
    m_dependencies.Create(m_hWnd);
    m_registry.Create(m_hWnd);
    static const char* const kPageTitles[] = {"Dependencies", "Registry Entries"};
    for (int i = 0; i < 2; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kPageTitles[i]);
        ::SendMessageA(GetTabs(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    m_ready = true;
    ShowCurrentPage();
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    OnSize(client.right, client.bottom);
}

void CTabView::SelectPage(int page)
{
    ::SendMessageA(GetTabs(), TCM_SETCURSEL, page, 0);
    ShowCurrentPage();
}

void CTabView::ShowCurrentPage()
{
    if (!m_ready)
        return;
    int page = static_cast<int>(::SendMessageA(GetTabs(), TCM_GETCURSEL, 0, 0));
    ::ShowWindow(m_dependencies.GetSafeHwnd(), page == PageDependencies ? SW_SHOW : SW_HIDE);
    ::ShowWindow(m_registry.GetSafeHwnd(), page == PageRegistryEntries ? SW_SHOW : SW_HIDE);
}

// The tabs keep their height across the top; both pages share the rest.
void CTabView::OnSize(int cx, int cy)
{
    if (IsLayoutSuspended() || !m_ready)
        return;
    int tabHeight = controls::WindowHeight(GetTabs());
    controls::Place(GetTabs(), 0, 0, cx, tabHeight);
    controls::Place(m_dependencies.GetSafeHwnd(), 0, tabHeight, cx, cy - tabHeight);
    controls::Place(m_registry.GetSafeHwnd(), 0, tabHeight, cx, cy - tabHeight);
}

bool CTabView::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom == IDC_PANE_TABS && header.code == TCN_SELCHANGE) {
        ShowCurrentPage();
        result = 0;
        return true;
    }
    return false;
}
