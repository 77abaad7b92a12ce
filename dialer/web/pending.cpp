/* Browser-control client, still to be filled in. */
#include "dialer/web/web.h"

BOOL OpenPage(const char *url)
{
    (void)url;
    return FALSE;
}

BOOL StartMailProgram(void)
{
    return FALSE;
}

void ShutdownBrowserClient(void)
{
}
