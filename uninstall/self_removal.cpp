// Self-removal after a complete removal. Writing and starting the deletion program comes with the
// DOS program itself; until then the uninstaller's file stays where it is.
#include "uninstaller.h"

#include "state.h"

void RemoveSelf()
{
    if (!RemovalDone)
        return;
}
