/* Machine preparation steps whose work is still to be filled in: each is
 * called at its place in start-up and currently leaves the machine as it
 * is, so the dialer starts on a machine that is already prepared. */
#include "dialer/setup/setup.h"

int RunEnvironmentChecks(HWND owner)
{
    (void)owner;
    return 0;
}

void KeepSourcePath(void)
{
}

BOOL CopyCatalogFiles(void)
{
    return TRUE;
}

BOOL PrepareDunCabinet(const char *dunSetupPath)
{
    (void)dunSetupPath;
    return FALSE;
}

BOOL CreateDesktopShortcut(void)
{
    return FALSE;
}

void OfferModemInstall(HWND owner)
{
    (void)owner;
}
