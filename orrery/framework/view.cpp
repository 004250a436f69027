#include "orrery/framework/view.h"

#include "orrery/framework/frame_wnd.h"

void CView::BindToFrame(CFrameWnd* frame, CDocument* document)
{
    m_frame = frame;
    m_document = document;
}

LRESULT CView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_MOUSEACTIVATE && m_frame && m_frame->GetActiveView() != this)
        m_frame->SetActiveView(this, false);
    return CWnd::WindowProc(msg, wp, lp);
}

bool CFormView::Create(CFrameWnd* frame, CDocument* document, HWND parent, UINT id, const RECT& rect)
{
    BindToFrame(frame, document);
    if (!CreateDlg(m_templateId, parent))
        return false;
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, id);
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
    ::ShowWindow(m_hWnd, SW_SHOW);
    if (frame)
        frame->AddView(this);
    return true;
}

LRESULT CFormView::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_INITDIALOG:
        return FALSE;
    case WM_SIZE:
        Default();
        OnSize(LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(*reinterpret_cast<NMHDR*>(lp), result))
            return result;
        break;
    }
    case WM_COMMAND:
        if (lp && OnControlCommand(LOWORD(wp), HIWORD(wp)))
            return 0;
        break;
    case WM_DESTROY:
        OnDestroy();
        break;
    default:
        break;
    }
    return CView::WindowProc(msg, wp, lp);
}
