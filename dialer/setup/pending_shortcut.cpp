/* Desktop shortcut, still to be filled in. */
#include "dialer/setup/setup.h"

BOOL CreateDesktopShortcut(void)
{
    return FALSE;
}
