/* The offer to install a modem when none is there: tells the member, starts
 * the system's modem wizard through the helper library and, the first time
 * in a process, waits until the member has gone through it. */
#include "dialer/core/app.h"
#include "dialer/setup/checks.h"
#include "dialer/setup/setup.h"
#include "resource.h"
#include "tovakit.h"

#define TAPI_CAPTION        "TAPI"
#define WIZARD_APPEAR_WAIT  10   /* seconds for the wizard's window to show */
#define WIZARD_CLOSE_WAIT   60   /* seconds for the member to finish it */

DWORD FirstModemOffer = 1;

static BOOL ModemWizardShown(void)
{
    int found = 0;
    EnumWindows(MatchWindowTitle, (LPARAM)&found);
    return found != 0;
}

BOOL WaitForWindowTitle(DWORD seconds, BOOL untilGone)
{
    DWORD start = GetTickCount();
    LoadText(IDS_MODEM_WIZARD_TITLE, TargetWindowTitle, sizeof(TargetWindowTitle));
    for (;;) {
        BOOL shown = ModemWizardShown();
        if (shown != untilGone)
            return TRUE;
        Sleep(1000);
        if ((GetTickCount() - start) / 1000 >= seconds)
            return FALSE;
    }
}

void OfferModemInstall(HWND owner, BOOL wait)
{
    char text[TEXT_SIZE];
    HANDLE wizard;

    LoadText(wait ? IDS_NO_MODEM_INSTALL : IDS_NO_MODEM_RESTART, text, sizeof(text));
    ShowMessage(owner, text, TAPI_CAPTION, MSG_ERROR, 0);
    wizard = TkRunModemWizard();
    if (!wizard) {
        LoadText(IDS_MODEM_WIZARD_FAILED, text, sizeof(text));
        ShowMessage(owner, text, TAPI_CAPTION, MSG_ERROR, 0);
        return;
    }
    if (wait) {
        /* The wizard program may hand its window to another process and end:
         * once it has ended, its window is looked for by title. */
        WaitForSingleObject(wizard, INFINITE);
        if (WaitForWindowTitle(WIZARD_APPEAR_WAIT, FALSE))
            WaitForWindowTitle(WIZARD_CLOSE_WAIT, TRUE);
    }
    CloseHandle(wizard);
}
