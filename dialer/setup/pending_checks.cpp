/* Environment checks and the modem offer, still to be filled in: the dialer
 * starts on a machine that is taken to be prepared. */
#include "dialer/setup/setup.h"

DWORD FirstModemOffer = 1;

int RunEnvironmentChecks(HWND owner)
{
    (void)owner;
    return 0;
}

void OfferModemInstall(HWND owner, BOOL wait)
{
    (void)owner;
    (void)wait;
}
