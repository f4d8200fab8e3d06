// Resource identifiers that the shared setup screen and wizard frame, and both programs' pages, use alike.
#ifndef SCREEN_FRAME_IDS_H
#define SCREEN_FRAME_IDS_H

#define IDI_PROGRAM 1
#define IDD_WELCOME 1
#define IDB_WELCOME 1
#define IDC_SIDE_PICTURE 101
#define IDC_STATIC -1

// The shortcuts page of both programs.
#include "shortcut_boxes.h"

#endif
