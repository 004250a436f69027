// CUnregisteredDlg: shown after a catalogue object's server was unregistered
// (dialog 147, "COM Control Unregistered"): the object's name and its server
// file, with "Keep File" (closes) and "Delete File" (asks, deletes, closes).
#ifndef ORRERY_APP_UNREGISTERED_DLG_H
#define ORRERY_APP_UNREGISTERED_DLG_H

#include "orrery/framework/dialog.h"

#include <string>

class CUnregisteredDlg : public CDialog {
public:
    CUnregisteredDlg(const std::string& name, const std::string& path);

    const std::string& GetName() const { return m_name; }
    const std::string& GetPath() const { return m_path; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    // Asks first; on Yes deletes the file (telling when that fails) and closes.
    void OnDeleteFile();

    std::string m_name;
    std::string m_path;
};

#endif
