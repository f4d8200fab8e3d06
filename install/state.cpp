// Install's program-wide state, constructed empty before WinMain runs.
#include "state.h"

TInstallChoices InstallChoices;
bool FreshInstall;
int MaintenanceAction;
TString UninstallerPath;
TString ShortcutFolders[ShortcutLocationCount];
TString ProgramFilesFolder;
TString TargetFolder;

char BrowseBuffer[MAX_PATH];
