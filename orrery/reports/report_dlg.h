// CReportDlg: the inventory report dialog (template 161). The user picks the
// format, which kinds of object to write and which attributes, in which
// order; Generate writes the report into a new temporary file and opens it
// with the program the shell associates with it. The dialog can write
// several reports in a row.
#ifndef ORRERY_REPORTS_REPORT_DLG_H
#define ORRERY_REPORTS_REPORT_DLG_H

#include "orrery/framework/dialog.h"
#include "orrery/reports/report_file.h"
#include "orrery/res/resource.h"

#include <functional>
#include <string>
#include <vector>

class CReportDlg : public CDialog {
public:
    // Opens a written report with the shell; false with the system's reason
    // when it could not.
    typedef std::function<bool(HWND owner, const std::string& path, std::string* reason)> OpenFn;

    // objects: the records of the items the object tree shows, in tree
    // order; categoryName: the text of the current tab.
    CReportDlg(const std::vector<orrery::CComObject*>& objects, const std::string& categoryName,
               orrery::CReportEnvironment& environment, orrery::CReportFiles& files);

    // Set by the caller before the dialog opens.
    OpenFn openReport;
    std::function<void()> showHelp;

    // The file the last report was written to; empty before the first.
    const std::string& ReportPath() const { return m_reportPath; }
    // What the controls say now.
    orrery::CReportChoices Choices() const;

protected:
    bool OnInitDialog() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    HWND AttributeList() const { return GetDlgItem(IDC_REPORT_ATTRIBUTES); }
    void OnFormatChanged();
    void OnRemove();
    void OnGenerate();
    void UpdateButtons();
    void ShowProgress(bool shown);
    void ShowMessage(const std::string& text, UINT icon);

    std::vector<orrery::CComObject*> m_objects;
    std::string m_categoryName;
    orrery::CReportEnvironment& m_environment;
    orrery::CReportFiles& m_files;
    std::string m_reportPath;
};

#endif
