// CCompareDlg: "Compare COM Files", the attributes of two server files side
// by side. It opens with the first file set; the user picks the second with
// Browse, which compares at once. Run modally, from the main window's
// Compare With command or from the "-C" start.
#ifndef ORRERY_REPORTS_COMPARE_DLG_H
#define ORRERY_REPORTS_COMPARE_DLG_H

#include "orrery/framework/dialog.h"
#include "orrery/reports/file_compare.h"

#include <commctrl.h>

#include <string>

class CCompareDlg : public CDialog {
public:
    explicit CCompareDlg(const std::string& firstFile);
    ~CCompareDlg() override;

    const std::string& FirstFile() const { return m_firstFile; }
    // Compares the first file with secondFile, as choosing it with Browse
    // does: the path goes into the second field, the twelve rows into the
    // list and the verdict under it.
    void CompareWith(const std::string& secondFile);

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    void OnBrowse();
    void OnHelp();
    void ShowRows(const orrery::CFileComparison& comparison);

    std::string m_firstFile;
    HIMAGELIST m_images = nullptr;
};

// The open-file dialog of Browse, over owner: server files, starting in the
// system directory. The chosen path, or empty text when the user cancels.
std::string ChooseComparedFile(HWND owner);

#endif
