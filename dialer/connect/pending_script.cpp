/* Dial-up script checks, still to be filled in. */
#include "dialer/connect/connect.h"
#include "dialer/connect/script.h"

void UpdateNumberedScripts(void)
{
}

BOOL CheckEntryScript(HWND window, LoginWindowState *state)
{
    (void)window;
    (void)state;
    return TRUE;
}
