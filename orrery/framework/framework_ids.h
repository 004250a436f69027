// Command, string and control ids that belong to the framework rather than to
// one program: the standard File, View, Window and Help commands, the idle and
// title strings and the status bar indicators. Included by resource scripts too,
// so it holds nothing but #defines.
#ifndef ORRERY_FRAMEWORK_FRAMEWORK_IDS_H
#define ORRERY_FRAMEWORK_FRAMEWORK_IDS_H

// Strings
#define IDS_APP_TITLE            57344
#define IDS_IDLE_MESSAGE         57345
#define IDS_INDICATOR_CAPS       59137
#define IDS_INDICATOR_NUM        59138
#define IDS_INDICATOR_SCRL       59139

// Commands
#define ID_FILE_NEW              57600
#define ID_FILE_OPEN             57601
#define ID_FILE_PRINT_SETUP      57606
#define ID_APP_ABOUT             57664
#define ID_APP_EXIT              57665
#define ID_NEXT_PANE             57680
#define ID_PREV_PANE             57681
#define ID_VIEW_TOOLBAR          59392
#define ID_VIEW_STATUS_BAR       59393

// Status bar pane ids
#define ID_SEPARATOR             0
#define ID_INDICATOR_CAPS        IDS_INDICATOR_CAPS
#define ID_INDICATOR_NUM         IDS_INDICATOR_NUM
#define ID_INDICATOR_SCRL        IDS_INDICATOR_SCRL

// Controls that need no id
#ifndef IDC_STATIC
#define IDC_STATIC               (-1)
#endif

// Child window ids of a frame
#define IDW_TOOLBAR              59392
#define IDW_STATUS_BAR           59393
#define IDW_PANE_FIRST           59648

#endif
