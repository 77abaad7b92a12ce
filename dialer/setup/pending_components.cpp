/* Component installation, still to be filled in. */
#include "dialer/setup/setup.h"

void KeepSourcePath(void)
{
}

void UseOwnSourcePath(void)
{
}

BOOL CopyDunPackage(const char *destination, const char *source)
{
    (void)destination;
    (void)source;
    return FALSE;
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
