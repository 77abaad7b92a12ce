/* Entry point of Tovaclean: one copy at a time (a second copy brings the
 * first to the front and ends), the uninstall dialog and its message loop,
 * and, when the member ended with OK, the start of the restore utility that
 * removes what a running program cannot remove itself. */
#include <windows.h>
#include <commctrl.h>
#include "shared/dialogs.h"
#include "shared/message.h"
#include "shared/settings.h"
#include "uninstaller/uninstall.h"
#include "resources/uninstaller/resource.h"

#define MUTEX_NAME_SIZE 96

/* Takes the instance mutex; none when another copy already holds it. */
static HANDLE TakeInstanceMutex(void)
{
    char name[MUTEX_NAME_SIZE];
    HANDLE mutex;

    LoadText(IDS_UN_MUTEX, name, sizeof(name));
    AppendText(name, "_dupMutex", sizeof(name));
    mutex = CreateMutexA(NULL, TRUE, name);
    if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return NULL;
    }
    return mutex;
}

/* Brings the first copy's dialog to the front, restored when minimised. */
static void ActivateFirstCopy(void)
{
    char caption[TEXT_SIZE];

    LoadText(IDS_UN_CAPTION, caption, sizeof(caption));
    ActivateWindowByCaption(caption);
}

static void EndInstance(HANDLE mutex)
{
    ReleaseMutex(mutex);
    CloseHandle(mutex);
}

static int RunMessageLoop(HWND dialog)
{
    MSG msg;
    BOOL got;

    while ((got = GetMessageA(&msg, NULL, 0, 0)) != 0) {
        if (got == -1)
            return 0;
        if (IsWindow(dialog) && IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    UninstallState state;
    char path[UN_PATH_SIZE];
    HANDLE mutex;
    HWND dialog;
    DWORD len;
    int quitCode;

    (void)previous;
    AppInstance = instance;
    /* Only the option alone counts, in any letter case. */
    if (commandLine && lstrcmpiA(commandLine, "-debug") == 0)
        MessageBoxA(NULL, "DEBUG ON", "DEBUG", MB_OK | MB_TOPMOST);

    mutex = TakeInstanceMutex();
    if (!mutex) {
        ActivateFirstCopy();
        return 0;
    }
    InitCommonControls();

    ZeroMemory(&state, sizeof(state));
    dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_UNINSTALL), GetDesktopWindow(),
                                UninstallDialogProc, (LPARAM)&state);
    /* The dialog's initialisation destroys it when the member declines. */
    if (!dialog || !IsWindow(dialog)) {
        EndInstance(mutex);
        return 0;
    }
    ShowWindow(dialog, showCommand);
    UpdateWindow(dialog);

    quitCode = RunMessageLoop(dialog);
    EndInstance(mutex);

    if (state.finishPressed) {
        len = GetModuleFileNameA(NULL, path, sizeof(path));
        if (len > 0 && len < sizeof(path))
            StartFinalCleanup(path);
    }
    return quitCode;
}
