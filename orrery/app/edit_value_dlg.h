// CEditValueDlg: edits the data of one string value. The value's name is
// shown greyed; the data field opens focused with all its text selected. On
// OK the caller's text is replaced by the field's.
#ifndef ORRERY_APP_EDIT_VALUE_DLG_H
#define ORRERY_APP_EDIT_VALUE_DLG_H

#include "orrery/framework/dialog.h"

#include <string>

class CEditValueDlg : public CDialog {
public:
    CEditValueDlg(const std::string& name, std::string& data);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    std::string m_name;
    std::string& m_data;
};

#endif
