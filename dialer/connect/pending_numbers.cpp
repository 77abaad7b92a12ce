/* The access-number list, still to be filled in. */
#include "dialer/connect/connect.h"
#include "dialer/connect/numbers.h"

/* Until the phone book is read, the list holds the service's nationwide
 * member number alone. */
void BuildAccessNumbers(HWND window, LoginWindowState *state)
{
    AccessNumber *item;
    (void)window;
    ReleaseAccessNumbers(state);
    item = (AccessNumber *)LocalAlloc(LPTR, sizeof(AccessNumber));
    if (!item)
        return;
    lstrcpyA(item->Number, "01433");
    item->Type = ACCESS_MEMBER;
    state->AccessNumbers = item;
}

void ReleaseAccessNumbers(LoginWindowState *state)
{
    while (state->AccessNumbers) {
        AccessNumber *next = state->AccessNumbers->Next;
        LocalFree(state->AccessNumbers);
        state->AccessNumbers = next;
    }
}

const AccessNumber *FirstAccessNumber(const LoginWindowState *state)
{
    return state ? state->AccessNumbers : NULL;
}
