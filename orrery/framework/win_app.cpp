#include "orrery/framework/win_app.h"

#include "orrery/framework/doc_template.h"
#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/framework_ids.h"

namespace {

CWinApp* g_application = nullptr;

} // namespace

CWinApp::CWinApp()
{
    g_application = this;
}

CWinApp::~CWinApp()
{
    if (g_application == this)
        g_application = nullptr;
}

CWinApp* CWinApp::Get()
{
    return g_application;
}

int CWinApp::Start(HINSTANCE instance, const char* commandLine)
{
    m_hInstance = instance;
    m_lpCmdLine = commandLine ? commandLine : "";
    int code = InitInstance() ? Run() : 0;
    int exitCode = ExitInstance();
    return code ? code : exitCode;
}

int CWinApp::Run()
{
    MSG msg = {};
    for (;;) {
        while (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            OnIdle();
            ::WaitMessage();
        }
        if (::GetMessageA(&msg, nullptr, 0, 0) <= 0)
            return static_cast<int>(msg.wParam);
        if (m_pMainWnd && m_pMainWnd->PreTranslateMessage(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void CWinApp::OnIdle()
{
    if (m_pMainWnd)
        m_pMainWnd->OnIdleUpdate();
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* docTemplate)
{
    m_templates.emplace_back(docTemplate);
}

bool CWinApp::OnFileNew()
{
    if (m_templates.empty())
        return false;
    CFrameWnd* frame = m_templates.front()->OpenDocumentFile();
    if (frame && !m_pMainWnd)
        m_pMainWnd = frame;
    return frame != nullptr;
}

bool CWinApp::OnUpdateCmdUI(CCmdUI& ui)
{
    return ui.id == ID_APP_EXIT;
}

bool CWinApp::OnCmdMsg(UINT id)
{
    if (id != ID_APP_EXIT)
        return false;
    if (m_pMainWnd)
        ::PostMessageA(m_pMainWnd->GetSafeHwnd(), WM_CLOSE, 0, 0);
    return true;
}

std::string LoadResourceString(UINT id)
{
    char buffer[1024];
    int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? length : 0);
}
