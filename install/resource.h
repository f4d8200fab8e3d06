// Resource identifiers of Install, shared by install.rc and the code.
#ifndef INSTALL_RESOURCE_H
#define INSTALL_RESOURCE_H

#include "frame_ids.h"

// Dialogs: the wizard pages and the copy progress window.
#define IDD_FOLDER 2
#define IDD_SHORTCUTS 3
#define IDD_ACTION 4
#define IDD_COPY_PROGRESS 100

// Side pictures of the pages.
#define IDB_FOLDER 2
#define IDB_SHORTCUTS 3
#define IDB_ACTION 4

// Folder page.
#define IDC_FOLDER_EDIT 102
#define IDC_BROWSE 103

// Action page.
#define IDC_REINSTALL 102
#define IDC_CHANGE_INTERFACE 103
#define IDC_REMOVE 104
#define IDC_CHANGE_INTERFACE_NOTE 106
#define IDC_REMOVE_NOTE 107
#define IDC_REINSTALL_NOTE 108

// Copy progress window.
#define IDC_COPY_BAR 101
#define IDC_COPY_FILE 102

// Strings.
#define IDS_SETUP_CAPTION 101
#define IDS_PRODUCT_TITLE 102
#define IDS_NOTICE_LINE 103
#define IDS_REGISTRY_FAILED 104
#define IDS_FOLDER_FAILED 105
#define IDS_RECORD_NOTICE 106
#define IDS_INSTALL_DONE 107
#define IDS_APP_RUNNING 108
#define IDS_OLDER_VERSION 109
#define IDS_NEWER_VERSION 110
#define IDS_UNINSTALLER_FALLBACK 111
#define IDS_NOT_ADMINISTRATOR 112
#define IDS_DISPLAY_NAME 200
#define IDS_LINK_NAME 300
#define IDS_LINK_DESCRIPTION 301
#define IDS_EXTRACT_FAILED 500
#define IDS_BROWSE_TITLE 1000
#define IDS_PRODUCT_SUBFOLDER 1001
#define IDS_NO_SPACE 1003
#define IDS_CANCEL_SETUP 1005
#define IDS_BAD_FOLDER 1006
#define IDS_REINSTALL_ADMIN_ONLY 2000
#define IDS_REMOVE_ADMIN_ONLY 2001

#endif
