// Resource identifiers that the shared setup screen and wizard frame, and both programs' pages, use alike.
#ifndef SCREEN_FRAME_IDS_H
#define SCREEN_FRAME_IDS_H

#define IDI_PROGRAM 1
#define IDD_WELCOME 1
#define IDB_WELCOME 1
#define IDC_SIDE_PICTURE 101
#define IDC_STATIC -1

// The shortcuts page of both programs: the user's boxes and their all-users twins.
#define IDC_USER_GROUP 102
#define IDC_USER_DESKTOP 103
#define IDC_USER_PROGRAMS 104
#define IDC_USER_START_MENU 105
#define IDC_QUICK_LAUNCH 106
#define IDC_COMMON_GROUP 107
#define IDC_COMMON_DESKTOP 109
#define IDC_COMMON_PROGRAMS 110
#define IDC_COMMON_START_MENU 111

#endif
