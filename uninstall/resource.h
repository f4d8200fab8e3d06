// Resource identifiers of unTikton, shared by uninstall.rc and the code.
#ifndef UNINSTALL_RESOURCE_H
#define UNINSTALL_RESOURCE_H

#include "frame_ids.h"

// Dialogs: the wizard pages.
#define IDD_ACTION 2
#define IDD_PROGRESS 3
#define IDD_NOT_REMOVED 4
#define IDD_INTERFACE 5

// Side pictures and the stage mark.
#define IDB_ACTION 2
#define IDB_PROGRESS 3
#define IDB_NOT_REMOVED 4
#define IDB_INTERFACE 6
#define IDI_STAGE_MARK 5

// The banner's settings: title, its shadow, second line, background colours.
#define IDR_TITLE_TEXT 1
#define IDR_TITLE_SHADOW 2
#define IDR_NOTICE_TEXT 3
#define IDR_BACK_COLORS 4

// Action page.
#define IDC_CHANGE_INTERFACE 102
#define IDC_CHANGE_INTERFACE_NOTE 103
#define IDC_REMOVE_ALL 104
#define IDC_REMOVE_ALL_NOTE 105

// Removal progress page: a mark beside each stage, the heading and the result.
#define IDC_FILES_MARK 104
#define IDC_FILES_LABEL 105
#define IDC_FOLDER_MARK 106
#define IDC_FOLDER_LABEL 107
#define IDC_REGISTRY_MARK 108
#define IDC_REGISTRY_LABEL 109
#define IDC_RESULT 110
#define IDC_HEADING 111

// Not-removed page.
#define IDC_NOT_REMOVED_LIST 102
#define IDC_ERROR_TEXT 103

// The DOS program that deletes the uninstaller after it has exited (resource type DELETE_ME).
#define IDR_DELETE_ME 1

// Strings.
#define IDS_UNINSTALL_CAPTION 100
#define IDS_BANNER_TITLE 101
#define IDS_NOTICE_LINE 102
#define IDS_TITLE_FACE 103
#define IDS_NOTICE_FACE 104
#define IDS_APPLICATION_CLASS 106
#define IDS_BADLY_INSTALLED 107
#define IDS_NOT_INSTALLED 108
#define IDS_APP_RUNNING 110
#define IDS_NO_DELETE_ME 111
#define IDS_DELETE_ME_NOT_WRITTEN 112
#define IDS_OTHER_VERSION 113
#define IDS_APP_PATH_KEY 114
#define IDS_DRIVE_UNREACHABLE 115
#define IDS_PRODUCT_KEY 200
#define IDS_UNINSTALL_PARENT_KEY 202
#define IDS_VENDOR_KEY 204
#define IDS_PRODUCT_KEY_NAME 206
#define IDS_UNINSTALL_ENTRY_NAME 208
#define IDS_CLOSE 302
#define IDS_LINK_NAME 304
#define IDS_HELP_VALUES 305
#define IDS_PRODUCT_FILES 306
#define IDS_REMOVAL_DONE 311
#define IDS_NOTHING_LEFT 312
#define IDS_REMOVE_ADMIN_ONLY 315
#define IDS_PROGRAM_FILE 316
#define IDS_LINK_DESCRIPTION 317

#endif
