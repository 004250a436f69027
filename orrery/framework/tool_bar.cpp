#include "orrery/framework/tool_bar.h"

#include "orrery/framework/frame_wnd.h"
#include "orrery/framework/framework_ids.h"

#include <commctrl.h>

namespace {

// The toolbar resource: a version word, the button width and height, the
// number of items and then one id per item.
struct ToolbarResource {
    WORD version;
    WORD width;
    WORD height;
    WORD count;
};

const UINT kToolbarResourceType = 241;

} // namespace

CToolBar::~CToolBar()
{
    if (m_images)
        ImageList_Destroy(m_images);
}

bool CToolBar::LoadItemIds(UINT resourceId, int& width, int& height)
{
    HMODULE module = ::GetModuleHandleA(nullptr);
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(resourceId), MAKEINTRESOURCEA(kToolbarResourceType));
    HGLOBAL handle = info ? ::LoadResource(module, info) : nullptr;
    const ToolbarResource* data = handle ? static_cast<const ToolbarResource*>(::LockResource(handle)) : nullptr;
    if (!data || ::SizeofResource(module, info) < sizeof(ToolbarResource) + data->count * sizeof(WORD))
        return false;
    width = data->width;
    height = data->height;
    const WORD* ids = reinterpret_cast<const WORD*>(data + 1);
    m_ids.assign(ids, ids + data->count);
    return true;
}

bool CToolBar::Create(HWND parent, UINT resourceId)
{
    int width = 0;
    int height = 0;
    if (!LoadItemIds(resourceId, width, height))
        return false;
    m_hWnd = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0, 0, 0, 0,
                               parent, reinterpret_cast<HMENU>(IDW_TOOLBAR), ::GetModuleHandleA(nullptr), nullptr);
    if (!m_hWnd)
        return false;
    ::SendMessageA(m_hWnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    m_images = ImageList_LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), width, 1,
                                    RGB(255, 255, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION);
    ::SendMessageA(m_hWnd, TB_SETBITMAPSIZE, 0, MAKELONG(width, height));
    ::SendMessageA(m_hWnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images));
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (UINT id : m_ids) {
        TBBUTTON button = {};
        button.idCommand = static_cast<int>(id);
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = id == ID_SEPARATOR ? BTNS_SEP : BTNS_BUTTON;
        button.iBitmap = id == ID_SEPARATOR ? 6 : image++;
        buttons.push_back(button);
    }
    ::SendMessageA(m_hWnd, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    ::SendMessageA(m_hWnd, TB_AUTOSIZE, 0, 0);
    return true;
}

bool CToolBar::IsButtonEnabled(UINT id) const
{
    return ::SendMessageA(m_hWnd, TB_ISBUTTONENABLED, id, 0) != 0;
}

void CToolBar::UpdateButtons(CFrameWnd& frame)
{
    for (UINT id : m_ids) {
        if (id == ID_SEPARATOR)
            continue;
        bool enabled = frame.IsCommandEnabled(id);
        if (enabled != IsButtonEnabled(id))
            ::SendMessageA(m_hWnd, TB_ENABLEBUTTON, id, MAKELONG(enabled ? TRUE : FALSE, 0));
    }
}
