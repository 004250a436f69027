// CWnd: the C++ object behind one window. It binds itself to its window when the
// window is created (or, for dialogs, at WM_INITDIALOG; for controls made by a
// template, when subclassed) and forwards every message to the virtual
// WindowProc, which derived classes override and pass on with Default().
#ifndef ORRERY_FRAMEWORK_WND_H
#define ORRERY_FRAMEWORK_WND_H

#include <windows.h>
#include <commctrl.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return m_hWnd; }
    HWND GetDlgItem(UINT id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string GetWindowText() const;

    // Creates a window of a class registered with RegisterWndClass.
    bool CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style,
                  const RECT& rect, HWND parent, UINT id);
    // Creates a modeless dialog from a numbered template (for form views and
    // modeless windows); the template decides whether it is a child or popup.
    bool CreateDlg(UINT templateId, HWND parent);
    // Runs a modal dialog from a numbered template with this object bound to it.
    INT_PTR RunModalDlg(UINT templateId, HWND parent);
    // Routes the messages of an existing control through WindowProc.
    bool SubclassDlgItem(UINT id, HWND parent);
    void DestroyWindow();

    // The object bound to a window, or null.
    static CWnd* FromHandle(HWND hwnd);
    // Registers a window class whose procedure forwards to WindowProc.
    static const char* RegisterWndClass(const char* name, UINT style, HCURSOR cursor,
                                        HBRUSH background, HICON icon = nullptr);

protected:
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // Default handling of the message in progress.
    LRESULT Default();
    // Called once the window is gone; windows that own themselves delete here.
    virtual void PostNcDestroy() {}

    HWND m_hWnd = nullptr;

private:
    enum class Kind { Window, Dialog, Subclassed };
    struct Message {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        bool handled;
    };

    void Attach(HWND hwnd, Kind kind);
    void Detach();
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp, bool& handled);

    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    Kind m_kind = Kind::Window;
    WNDPROC m_superProc = nullptr;
    Message* m_current = nullptr;
};

#endif
