#include "orrery/app/details_operation.h"

#include "orrery/app/details_sequence.h"
#include "orrery/app/file_details_dlg.h"
#include "orrery/app/maintenance_windows.h"
#include "orrery/app/program_state.h"
#include "orrery/app/splash_wnd.h"

namespace {

class CWindowsDetails : public CDetailsWindows {
public:
    ~CWindowsDetails() override { HideSearchWait(); }

    // The search runs with the wait cursor under its wait window.
    void ShowSearchWait() override
    {
        m_previousCursor = ::SetCursor(::LoadCursorA(nullptr, IDC_WAIT));
        m_searching = true;
        m_wait.Show(nullptr);
    }

    void HideSearchWait() override
    {
        m_wait.DestroyWindow();
        if (m_searching)
            ::SetCursor(m_previousCursor);
        m_searching = false;
    }

    void ShowDetails(orrery::CComObject& record) override
    {
        CFileDetailsDlg details(record);
        details.DoModal(nullptr);
    }

private:
    CSearchWaitDlg m_wait;
    HCURSOR m_previousCursor = nullptr;
    bool m_searching = false;
};

} // namespace

void RunDetailsOperation(const std::string& path)
{
    CWindowsMaintenanceUI ui;
    orrery::CMaintenance maintenance(Machine().registry, Modules(), Backups(), ui);
    CWindowsDetails windows;
    RunDetailsSequence(Machine(), maintenance, ui, windows, path);
}
