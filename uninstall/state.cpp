// unTikton's program-wide state.
#include "state.h"

#include "resource.h"

namespace {
TString Loaded(UINT id)
{
    TString text;
    text.Load(GetModuleHandleA(0), id);
    return text;
}
}

// unTikton takes the product's registry paths and file names and the application's window class from
// its string table, and its banner from data resources, as it is designed to; setup holds the same
// facts as constants. The record's value names and the help key come from record.h in both programs;
// the help values it deletes are its string table's list.
TString ProductKeyPath = Loaded(IDS_PRODUCT_KEY);
TString UninstallKeyPath = Loaded(IDS_UNINSTALL_PARENT_KEY);
TString InstallFolder;
TString ExistedFolder;
TString LinkPaths[ShortcutLocationCount];
TStrIntArray NotRemoved;
volatile bool RemovalStarted;
volatile bool RemovalDone;
bool RemovalRefused;
