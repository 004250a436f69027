#include "orrery/app/quillon_view.h"

#include "orrery/app/control_adapters.h"
#include "orrery/framework/win_app.h"
#include "orrery/framework/frame_wnd.h"

#include <commctrl.h>

namespace {

const CCommandEntry<CQuillonView> kCommands[] = {
    {ID_COPY_TO_CLIPBOARD, nullptr, &CQuillonView::OnCopyToClipboard},
};

} // namespace

CQuillonView::CQuillonView() : CFormView(IDD_QUILLON_VIEW), CTreeListPane({0, 1.0, 0.30, 0.65}) {}

void CQuillonView::OnInitialUpdate()
{
    SetUpTreeAndList(nullptr, GetList(), controls::CreateAttributeImages(), "Name", "Value");
}

// The list fills the view; its columns take 30% and 65% of its width.
void CQuillonView::OnSize(int cx, int cy)
{
    LayOutTreeAndList(nullptr, GetList(), cx, cy);
}

bool CQuillonView::OnNotify(NMHDR& header, LRESULT& result)
{
    if (header.idFrom != IDC_ATTRIBUTE_LIST)
        return false;
    result = 0;
    if (header.code == NM_RCLICK)
        ShowCopyMenu();
    else if (IsCopyKey(header))
        OnCopyToClipboard();
    else
        return false;
    return true;
}

void CQuillonView::ShowCopyMenu()
{
    CWinApp* app = CWinApp::Get();
    ShowMenuAtCursor(IDR_COPY_MENU,
                     app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : ::GetAncestor(m_hWnd, GA_ROOT));
}

void CQuillonView::OnCopyToClipboard()
{
    CopySelectedValue(GetList());
}

bool CQuillonView::OnUpdateCmdUI(CCmdUI& ui)
{
    return UpdateFromTable(this, kCommands, ui);
}

bool CQuillonView::OnCmdMsg(UINT id)
{
    return DispatchFromTable(this, kCommands, id);
}
