#include "orrery/app/edit_value_dlg.h"

#include "orrery/res/resource.h"

CEditValueDlg::CEditValueDlg(const std::string& name, std::string& data)
    : CDialog(IDD_EDIT_VALUE), m_name(name), m_data(data)
{
}

// The data field takes texts of any length: the edit control's default limit
// would cut a long value, and OK would then write it back cut.
bool CEditValueDlg::OnInitDialog()
{
    HWND data = GetDlgItem(IDC_VALUE_DATA);
    ::SendMessageA(data, EM_SETLIMITTEXT, 0, 0);
    ::SetDlgItemTextA(m_hWnd, IDC_VALUE_NAME, m_name.c_str());
    ::SetWindowTextA(data, m_data.c_str());
    ::SetFocus(data);
    ::SendMessageA(data, EM_SETSEL, 0, -1);
    ::SendMessageA(data, EM_SCROLLCARET, 0, 0);
    return false;
}

void CEditValueDlg::OnOK()
{
    HWND data = GetDlgItem(IDC_VALUE_DATA);
    std::string text(::GetWindowTextLengthA(data) + 1, '\0');
    int length = ::GetWindowTextA(data, &text[0], static_cast<int>(text.size()));
    text.resize(length > 0 ? length : 0);
    m_data = text;
    CDialog::OnOK();
}
