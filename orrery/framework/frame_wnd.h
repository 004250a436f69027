// CFrameWnd: a top-level window with a menu, accelerators, a toolbar, a status
// bar and views. It routes every command to the active view, then to itself,
// then to the application, greys menu items and toolbar buttons by the same
// route, and shows a command's status text while its menu item or button is
// under the pointer.
#ifndef ORRERY_FRAMEWORK_FRAME_WND_H
#define ORRERY_FRAMEWORK_FRAME_WND_H

#include "orrery/framework/cmd_target.h"
#include "orrery/framework/status_bar.h"
#include "orrery/framework/tool_bar.h"
#include "orrery/framework/wnd.h"

#include <memory>
#include <string>
#include <vector>

class CDocument;
class CView;

// What a frame needs to create its views: the document they show and the
// view class of the document template.
struct CCreateContext {
    CDocument* document = nullptr;
    CView* (*newView)() = nullptr;
};

class CFrameWnd : public CWnd, public CCmdTarget {
public:
    CFrameWnd() = default;
    ~CFrameWnd() override;

    // Creates the frame with the menu, accelerators and icon of resourceId.
    // Once created, the frame deletes itself when its window is destroyed;
    // when creation fails the caller still owns it.
    bool LoadFrame(UINT resourceId, CCreateContext* context);
    // Runs every view's initial update and shows the frame.
    void InitialUpdateFrame(int showCommand);

    CView* GetActiveView() const { return m_activeView; }
    void SetActiveView(CView* view, bool takeFocus = true);
    // Views register themselves here when created; the frame owns them.
    void AddView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_viewOrder; }

    bool RouteCmdMsg(UINT id);
    bool RouteUpdateCmdUI(CCmdUI& ui);
    // True when some target on the route handles id and its rule allows it.
    bool IsCommandEnabled(UINT id);

    CToolBar& GetToolBar() { return m_toolBar; }
    CStatusBar& GetStatusBar() { return m_statusBar; }
    void SetMessageText(const std::string& text);
    void ShowIdleMessage();
    // Greys toolbar buttons and refreshes the key indicators.
    void OnIdleUpdate();
    bool PreTranslateMessage(MSG& msg);
    void RecalcLayout();
    // Sends every view its current size again, so views that skipped a
    // layout lay their controls out now.
    void ResizeViews();

    bool OnUpdateCmdUI(CCmdUI& ui) override;
    bool OnCmdMsg(UINT id) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    virtual void PreCreateWindow(CREATESTRUCTA& /*cs*/) {}
    virtual bool OnCreate(CCreateContext* context);
    // Creates the client area: by default one view of the template's class.
    virtual bool OnCreateClient(CCreateContext* context);
    void PostNcDestroy() override;

private:
    void OnInitMenuPopup(HMENU menu);
    void OnMenuSelect(UINT id, UINT flags, HMENU menu);
    bool OnNotify(NMHDR& header, LRESULT& result);
    void ToggleBar(HWND bar);
    void ActivateNeighbour(int step);
    HWND FindClientWindow() const;
    void RememberFocus();
    bool RestoreRememberedFocus();

    bool m_autoDelete = false;
    HACCEL m_accelerators = nullptr;
    CCreateContext* m_createContext = nullptr;
    CToolBar m_toolBar;
    CStatusBar m_statusBar;
    std::vector<std::unique_ptr<CView>> m_views;
    std::vector<CView*> m_viewOrder;
    CView* m_activeView = nullptr;
    // The control that had the keyboard when the frame last lost activation
    // (to a dialog, a message box or another program).
    HWND m_focusWhenDeactivated = nullptr;
    std::string m_tipText;
};

#endif
