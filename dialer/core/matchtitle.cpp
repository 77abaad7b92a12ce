/* Window-enumeration callback that looks for a top-level window by its
 * title, used to wait for the system's modem installer. */
#include "dialer/core/app.h"

BOOL CALLBACK MatchWindowTitle(HWND window, LPARAM found)
{
    char title[TITLE_SIZE];
    title[0] = 0;
    GetWindowTextA(window, title, sizeof(title));
    title[sizeof(title) - 1] = 0;
    if (lstrcmpiA(title, TargetWindowTitle) == 0) {
        if (found)
            *(int *)found = 1;
        return FALSE;
    }
    return TRUE;
}
