/* Settings dialog and about box, still to be filled in. */
#include "dialer/dialogs/dialogs.h"

BOOL OpenSettingsDialog(HWND owner, DWORD *changes)
{
    (void)owner;
    if (changes)
        *changes = 0;
    return FALSE;
}

void ShowAboutBox(HWND owner)
{
    (void)owner;
}
