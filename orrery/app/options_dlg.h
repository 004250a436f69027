// COptionsDlg: the "Orrery Options" dialog. It shows the option values it
// is given; OK writes the dialog's choices to the profile (the caller then
// reads them back and refills the tree), Cancel writes nothing, Help opens
// the options topic.
#ifndef ORRERY_APP_OPTIONS_DLG_H
#define ORRERY_APP_OPTIONS_DLG_H

#include "orrery/app/options_store.h"
#include "orrery/framework/dialog.h"

class COptionsDlg : public CDialog {
public:
    COptionsDlg(CProfile& profile, const COptions& current);

    // The labels of the Display In Tree list, in the order of DisplayInList.
    static const char* const kTreeLabels[4];

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;
    void OnOK() override;

private:
    void Check(UINT id, bool on);
    bool IsChecked(UINT id) const;

    CProfile& m_profile;
    COptions m_values;
};

#endif
