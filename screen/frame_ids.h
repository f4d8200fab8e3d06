// Resource identifiers that the shared setup screen and wizard frame expect in both programs.
#ifndef SCREEN_FRAME_IDS_H
#define SCREEN_FRAME_IDS_H

#define IDI_PROGRAM 1
#define IDD_WELCOME 1
#define IDB_WELCOME 1
#define IDC_SIDE_PICTURE 101
#define IDC_STATIC -1

#endif
