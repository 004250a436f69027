// CMessageDlg: the modal window that reports the outcome of an operation
// (dialog 139, "Orrery", a " Message " frame around the text, OK). It beeps
// when it opens. The text is shown whole: the window grows with it up to
// most of the screen and scrolls beyond, and it can be selected and copied
// (a backup file's path, an error code).
// ShowMessage(text): runs one over the main window (none when there is none)
// and returns when the user closed it.
#ifndef ORRERY_APP_MESSAGE_DLG_H
#define ORRERY_APP_MESSAGE_DLG_H

#include "orrery/framework/dialog.h"

#include <string>

class CMessageDlg : public CDialog {
public:
    explicit CMessageDlg(const std::string& text);

    // Line feeds as the edit control shows them: "\n" becomes "\r\n".
    static std::string ForDisplay(const std::string& text);

protected:
    bool OnInitDialog() override;

private:
    // Makes the text, its frame and the window taller by what the text needs
    // beyond the template's room, up to the limit.
    void FitText();

    std::string m_text;
};

void ShowMessage(const std::string& text);

#endif
