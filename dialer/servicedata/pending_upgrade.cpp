/* Upgrade program launch, still to be filled in. */
#include "dialer/servicedata/upgrade.h"

BOOL LaunchUpgrade(HWND owner)
{
    (void)owner;
    return FALSE;
}
