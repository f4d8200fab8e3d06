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

TString ProductKeyPath = Loaded(IDS_PRODUCT_KEY);
TString UninstallKeyPath = Loaded(IDS_UNINSTALL_PARENT_KEY);
TString InstallFolder;
TString ExistedFolder;
TString LinkPaths[ShortcutLocationCount];
TStrIntArray NotRemoved;
volatile bool RemovalDone;
