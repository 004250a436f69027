// Resource and command identifiers of twyndle.
#pragma once

// Commands of the main window.
#define IDM_PRINT 113
#define IDM_SAVE 122
#define IDM_COPY_FILES 127
#define IDM_NEXT_CHANGE 182
#define IDM_REFRESH_PAIR 194
#define IDM_PREVIOUS_CHANGE 195

// Children of the main window and status bar items.
#define IDC_TABLE 501
#define IDC_STATUS 550
#define IDC_EXIT_BUTTON 551
#define IDC_STATUS_LABEL 552

// String table. 5000-5005 are the German variants.
#define IDS_NO_MORE_CHANGES_DE 5000
#define IDS_NO_PREVIOUS_CHANGES_DE 5001
#define IDS_NEXT_BUTTON_DE 5002
#define IDS_PREVIOUS_BUTTON_DE 5003
#define IDS_PRINT_BUTTON_DE 5004
#define IDS_SAVE_BUTTON_DE 5005
#define IDS_COMPARING 5006
#define IDS_TO 5007
#define IDS_OPEN_IN_HOST 5008
#define IDS_PLEASE_WAIT 5009
#define IDS_COMPARING_STATUS 5010
#define IDS_DIFFERENT_SIZES 5011
#define IDS_SAME_SIZE 5012
#define IDS_IDENTICAL 5013
#define IDS_ABORT_BUTTON 5014

// The copy dialog.
#define IDD_COPY_FILES 600
#define IDC_COPY_DESTINATION 601
#define IDC_COPY_FROM_LEFT 602
#define IDC_COPY_FROM_RIGHT 603
#define IDC_COPY_IDENTICAL 604
#define IDC_COPY_DIFFERING 605
#define IDC_COPY_ONLY_IN 606

// The print progress dialog "GABRTDLG": the page line, and Cancel (IDCANCEL).
#define IDC_PRINT_PAGE 102
