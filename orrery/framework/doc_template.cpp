#include "orrery/framework/doc_template.h"

#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/win_app.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, DocumentFactory newDocument, FrameFactory newFrame,
                                       ViewFactory newView)
    : m_resourceId(resourceId), m_newDocument(newDocument), m_newFrame(newFrame), m_newView(newView)
{
}

CFrameWnd* CSingleDocTemplate::OpenDocumentFile()
{
    m_document.reset(m_newDocument());
    CCreateContext context;
    context.document = m_document.get();
    context.newView = m_newView;
    CFrameWnd* frame = m_newFrame();
    if (!frame->LoadFrame(m_resourceId, &context)) {
        delete frame;
        return nullptr;
    }
    CWinApp* app = CWinApp::Get();
    if (app && !app->m_pMainWnd)
        app->m_pMainWnd = frame;
    frame->InitialUpdateFrame(SW_SHOW);
    return frame;
}

std::string CSingleDocTemplate::GetDocString(int index) const
{
    std::string text = LoadResourceString(m_resourceId);
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = text.find('\n', start);
        if (start == std::string::npos)
            return std::string();
        ++start;
    }
    return text.substr(start, text.find('\n', start) - start);
}
