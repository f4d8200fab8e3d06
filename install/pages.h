// The installer's own wizard pages, the folder browser, and the cancel confirmation they all share.
#ifndef INSTALL_PAGES_H
#define INSTALL_PAGES_H

#include <windows.h>

INT_PTR CALLBACK InstallFolderPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InstallShortcutsPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK InstallActionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

void BrowseInstallFolder(HWND owner);
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);

// Asks whether to stop setup; true when the user wants to go on with the wizard.
bool KeepSetupOnCancel(HWND page);

#endif
