// Resource and command identifiers of scrivane.
#pragma once

// Main menu and its commands.
#define IDR_MAIN_MENU 100
#define IDM_COMPARE 1001
#define IDM_FONT 1002
#define IDM_EXIT 1003
#define IDM_USAGE 1004

// The Compare dialog and its controls.
#define IDD_COMPARE 200
#define IDC_TWO_FILES 201
#define IDC_TWO_DIRECTORIES 202
#define IDC_LEFT_PATH 203
#define IDC_LEFT_BROWSE 204
#define IDC_RIGHT_PATH 205
#define IDC_RIGHT_BROWSE 206
#define IDC_COLOUR_MARKS 207
#define IDC_SIDE_BY_SIDE 208
#define IDC_IGNORE_BLANKS 209
#define IDC_ONLY_CHANGES 210

// Child windows.
#define IDC_VIEWER_LIST 300
#define IDC_REQUEST_LIST 301
