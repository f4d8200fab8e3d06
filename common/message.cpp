// Message boxes built from string-table entries of the running program.
#include "message.h"

#include "tstring.h"

int MessageBoxById(HWND owner, UINT textId, const char* caption, UINT flags)
{
    TString text;
    text.Load(GetModuleHandleA(0), textId);
    return MessageBoxA(owner, text.CStr(), caption, flags);
}

int MessageBoxByIds(HWND owner, UINT textId, UINT captionId, UINT flags)
{
    TString caption;
    caption.Load(GetModuleHandleA(0), captionId);
    return MessageBoxById(owner, textId, caption.CStr(), flags);
}
