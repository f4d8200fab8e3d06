// Message boxes built from string-table entries of the running program.
#include "message.h"

#include "switches.h"
#include "tstring.h"

int MessageBoxByIds(HWND owner, UINT textId, UINT captionId, UINT flags, const char* appended)
{
    // Unattended, nobody is there to read or answer: the caller acts on its own result instead.
    if (Unattended)
        return 0;
    TString text, caption;
    text.Load(GetModuleHandleA(0), textId);
    if (appended)
        text.Append(appended);
    caption.Load(GetModuleHandleA(0), captionId);
    return MessageBoxA(owner, text.CStr(), caption.CStr(), flags);
}
