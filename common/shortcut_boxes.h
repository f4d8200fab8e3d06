// The check boxes of the shortcuts page, the same in both programs: one per location of the shortcut
// set. Plain definitions, so that the resource scripts read them too.
#ifndef COMMON_SHORTCUT_BOXES_H
#define COMMON_SHORTCUT_BOXES_H

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
