/* About box, still to be filled in. */
#include "dialer/dialogs/dialogs.h"

BOOL ShowAboutBox(HWND owner)
{
    (void)owner;
    return FALSE;
}
