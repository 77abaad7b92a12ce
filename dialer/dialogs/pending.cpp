/* About box, still to be filled in. */
#include "dialer/dialogs/dialogs.h"

void ShowAboutBox(HWND owner)
{
    (void)owner;
}
