// Resource, command and control ids of orrery, grouped by kind. Shared by the
// resource script and the code, so it holds nothing but #defines.
#ifndef ORRERY_RES_RESOURCE_H
#define ORRERY_RES_RESOURCE_H

#include "orrery/framework/framework_ids.h"

// Menus, toolbar, accelerators, icon and the document string
#define IDR_MAINFRAME                   128
#define IDR_COPY_MENU                   163
#define IDR_VALUE_MENU                  187

// Dialog templates
#define IDD_ABOUTBOX                    100
#define IDD_QUILLON_VIEW                101
#define IDD_OBJECT_TREE                 130
#define IDD_MESSAGE                     139
#define IDD_UNREGISTERED                147
#define IDD_OPTIONS                     160
#define IDD_REPORT                      161
#define IDD_SPLASH                      165
#define IDD_FILE_DETAILS                170
#define IDD_WAIT                        179
#define IDD_EDIT_VALUE                  185
#define IDD_COMPARE                     190
#define IDD_TAB_VIEW                    192
#define IDD_REGISTRY_PANE               193
#define IDD_DEPENDENCIES_PANE           194
#define IDD_MISSING_DEPENDENCIES        198

// Bitmaps
#define IDB_EXE_SERVER                  136
#define IDB_MISBEHAVED                  137
#define IDB_CONTROL                     138
#define IDB_DLL_SERVER                  139
#define IDB_FILE_ROW                    144
#define IDB_REGISTRY_ROW                145
#define IDB_WARNING_ROW                 146
#define IDB_VERSION_ROW                 156
#define IDB_LOGO                        167
#define IDB_STRING_VALUE                174
#define IDB_KEY_OPEN                    175
#define IDB_KEY_CLOSED                  176
#define IDB_OTHER_VALUE                 186
#define IDB_DEPENDENCY                  195
#define IDB_MISSING_DEPENDENCY          197

// Controls
#define IDC_DIALOG_HELP                 3
#define IDC_OBJECT_TREE                 1000
#define IDC_ATTRIBUTE_LIST              1002
#define IDC_CATEGORY_TABS               1003
#define IDC_SPLASH_STATUS               1005
#define IDC_REGISTRY_TREE               1014
#define IDC_REGISTRY_VALUES             1015
#define IDC_COMPARE_LIST                1015
#define IDC_DEPENDENCY_LIST             1016
#define IDC_DEPENDENCY_TREE             1017
#define IDC_DETAILS_ATTRIBUTES          1015
#define IDC_VALUE_DATA                  1020
#define IDC_VALUE_NAME                  1021
#define IDC_DETAILS_TABS                1029
#define IDC_COMPARE_FIRST_FILE          1024
#define IDC_COMPARE_SECOND_FILE         1025
#define IDC_COMPARE_BROWSE              1026
#define IDC_COMPARE_HELP                1027
#define IDC_COMPARE_VERDICT             1028
#define IDC_PANE_TABS                   1029
#define IDC_DISPLAY_MISSING             1035
#define IDC_DISPLAY_INSTALLED           1036
#define IDC_DISPLAY_IN_LIST             1037
#define IDC_CONFIRM_REMOVE              1038
#define IDC_ABOUT_TITLE                 1043
#define IDC_ABOUT_LINK                  1047
#define IDC_SPLASH_TITLE                1048
#define IDC_WAIT_TEXT                   1049
#define IDC_MESSAGE_TEXT                1070
#define IDC_MESSAGE_FRAME               1071
#define IDC_UNREGISTERED_NAME           1072
#define IDC_UNREGISTERED_PATH           1073
#define IDC_DELETE_FILE                 1074

// Controls of the missing-dependency finder (dialog 198)
#define IDC_FINDER_CATEGORY             1080
#define IDC_FINDER_MARK                 1081
#define IDC_FINDER_PROCESSED            1082
#define IDC_FINDER_MISSING              1083
#define IDC_FINDER_PROGRESS             1084
#define IDC_FINDER_SEARCH               1085

// Controls of the inventory report dialog
#define IDC_REPORT_HELP                 3
#define IDC_REPORT_REMOVE               1006
#define IDC_REPORT_ATTRIBUTES           1015
#define IDC_REPORT_GENERATE             1021
#define IDC_REPORT_PROGRESS             1022
#define IDC_REPORT_PROGRESS_LABEL       1023
#define IDC_REPORT_DEPENDENCIES         1030
#define IDC_REPORT_MISBEHAVED           1038
#define IDC_REPORT_WELL_BEHAVED         1039
#define IDC_REPORT_FORMAT               1044

// Commands
#define ID_UNREGISTER                   1001
#define ID_REFRESH_LIST                 1008
#define ID_COMPARE_WITH                 1011
#define ID_REMOVE_FROM_REGISTRY         1014
#define ID_REGISTER                     1033
#define ID_GOTO_FILE_LOCATION           32773
#define ID_RUN_EXE_SERVER               32774
#define ID_GENERATE_REPORT              32780
#define ID_OPTIONS                      32781
#define ID_COPY_TO_CLIPBOARD            32788
#define ID_VIEW_IN_IE                   32790
#define ID_EDIT_VALUE                   32794
#define ID_COPY_VALUE                   32795
#define ID_HELP_CONTENTS                32791
#define ID_TARNWICK_WEB                 32796
#define ID_CHECK_UPDATES                32800
#define ID_FIND_MISSING_DEPENDENCIES    32802
#define ID_JUMP_CLSID                   32804
#define ID_JUMP_PROGID                  32805
#define ID_JUMP_TYPELIB                 32806

// Strings
#define IDS_WEB_ADDRESS                 61205
#define IDS_ACTIVEX_CONTROL             61206
#define IDS_DLL_SERVER                  61207
#define IDS_VERB_REGISTER               61208
#define IDS_VERB_UNREGISTER             61209
#define IDS_VERB_COMPARE                61210
#define IDS_VERB_VIEW                   61211
#define IDS_VERB_DETAILS                61212

#endif
