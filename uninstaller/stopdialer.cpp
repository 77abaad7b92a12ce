/* Stopping a running dialer before anything is removed: the dialer is found
 * by its login window's caption and asked to close with WM_CLOSE, after the
 * member agrees. It gets two rounds of up to seven seconds; a dialer that is
 * still there after both stops the uninstallation. */
#include <windows.h>
#include "shared/message.h"
#include "uninstaller/uninstall.h"
#include "resources/uninstaller/resource.h"

#define FIRST_WAIT_MS  2000
#define SECOND_WAIT_MS 5000

/* Asks the window to close and gives it time; TRUE when it is gone. */
static BOOL AskToClose(HWND dialer)
{
    PostMessageA(dialer, WM_CLOSE, 0, 0);
    BringWindowToTop(dialer);
    Sleep(FIRST_WAIT_MS);
    if (IsWindow(dialer))
        Sleep(SECOND_WAIT_MS);
    return !IsWindow(dialer);
}

int StopRunningDialer(HWND owner)
{
    char caption[TEXT_SIZE];
    HWND dialer;
    int round;

    LoadText(IDS_UN_DIALER_CAPTION, caption, sizeof(caption));
    dialer = FindWindowA(NULL, caption);
    if (!dialer)
        return 0;
    for (round = 0; round < 2; round++) {
        if (ShowMessage(owner, MAKEINTRESOURCEA(IDS_UN_DIALER_RUNNING), MAKEINTRESOURCEA(IDS_UN_CAP_CHECK),
                        MB_YESNO | MB_ICONQUESTION, 0) != IDYES)
            return 1;
        if (AskToClose(dialer))
            return 0;
    }
    ShowMessage(owner, MAKEINTRESOURCEA(IDS_UN_CANNOT_GO_ON), MAKEINTRESOURCEA(IDS_UN_CAP_CHECK), MB_OK, 0);
    return 1;
}
