// CView: a pane of a frame that shows the document and takes part in command
// routing; the frame asks its active view first. CFormView is a view laid out
// by a dialog template, with its controls bound by id.
#ifndef ORRERY_FRAMEWORK_VIEW_H
#define ORRERY_FRAMEWORK_VIEW_H

#include "orrery/framework/cmd_target.h"
#include "orrery/framework/wnd.h"

class CDocument;
class CFrameWnd;

class CView : public CWnd, public CCmdTarget {
public:
    // Called once, after every view of the frame exists.
    virtual void OnInitialUpdate() {}
    CFrameWnd* GetParentFrame() const { return m_frame; }
    CDocument* GetDocument() const { return m_document; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void BindToFrame(CFrameWnd* frame, CDocument* document);

private:
    CFrameWnd* m_frame = nullptr;
    CDocument* m_document = nullptr;
};

class CFormView : public CView {
public:
    explicit CFormView(UINT templateId) : m_templateId(templateId) {}
    // Creates the view as child id of parent over rect, from the template.
    bool Create(CFrameWnd* frame, CDocument* document, HWND parent, UINT id, const RECT& rect);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void OnSize(int /*cx*/, int /*cy*/) {}
    // Notifications and commands of the view's own controls; return false to
    // leave them to the default handling.
    virtual bool OnNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual bool OnControlCommand(UINT /*id*/, UINT /*code*/) { return false; }
    virtual void OnDestroy() {}

private:
    UINT m_templateId;
};

#endif
