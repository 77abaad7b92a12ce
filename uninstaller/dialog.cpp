/* The uninstall dialog. Its initialisation asks a running dialer to close
 * and asks the member to confirm; then the removal runs as a chain of
 * commands the dialog posts to itself, one step per message, so the window
 * stays responsive between the steps. The OK button is enabled after the
 * last step; until then neither the close box nor the end of the Windows
 * session can end the program halfway. */
#include <windows.h>
#include "shared/dialogs.h"
#include "shared/message.h"
#include "uninstaller/uninstall.h"
#include "resources/uninstaller/resource.h"

static UninstallState *DialogState(HWND dialog)
{
    return (UninstallState *)GetWindowLongPtrA(dialog, DWLP_USER);
}

/* Posts the next step; should the post fail the member can still end. */
static void PostStep(HWND dialog, int step)
{
    if (!PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(step, 0), 0))
        EnableFinishButton(dialog);
}

BOOL ConfirmUninstall(HWND owner)
{
    char text[TEXT_SIZE];
    char caption[TEXT_SIZE];

    LoadText(IDS_UN_CONFIRM, text, sizeof(text));
    LoadText(IDS_UN_CAP_CONFIRM, caption, sizeof(caption));
    return MessageBoxA(owner, text, caption, MB_YESNO | MB_ICONQUESTION | MB_TOPMOST) == IDYES;
}

void EnableFinishButton(HWND dialog)
{
    HWND ok = GetDlgItem(dialog, IDOK);
    if (!ok)
        return;
    if (!IsWindowVisible(ok))
        ShowWindow(ok, SW_SHOW);
    if (!IsWindowEnabled(ok))
        EnableWindow(ok, TRUE);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)ok, TRUE);
}

static BOOL IsFinishEnabled(HWND dialog)
{
    HWND ok = GetDlgItem(dialog, IDOK);
    return ok && IsWindowEnabled(ok);
}

static BOOL OnInitDialog(HWND dialog, UninstallState *state)
{
    char caption[TEXT_SIZE];
    HICON icon;

    LoadText(IDS_UN_CAPTION, caption, sizeof(caption));
    SetWindowTextA(dialog, caption);
    icon = LoadIconA(AppInstance, MAKEINTRESOURCEA(IDI_TOVACLEAN));
    if (icon)
        SetClassLongPtrA(dialog, GCLP_HICON, (LONG_PTR)icon);
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)state);
    if (!state) {
        DestroyWindow(dialog);
        return FALSE;
    }
    ReadProgramFolder(state);
    CenterWindow(dialog, 0, NULL);
    if (StopRunningDialer(dialog) != 0 || !ConfirmUninstall(dialog)) {
        DestroyWindow(dialog);
        return FALSE;
    }
    PostStep(dialog, IDC_STEP_START);
    return TRUE;
}

/* One step of the removal chain. */
static void OnStep(HWND dialog, int step)
{
    UninstallState *state = DialogState(dialog);

    switch (step) {
    case IDC_STEP_START:
        PostStep(dialog, IDC_STEP_2);
        break;
    case IDC_STEP_2:
        PostStep(dialog, IDC_STEP_3);
        break;
    case IDC_STEP_3:
        PostStep(dialog, IDC_STEP_4);
        break;
    case IDC_STEP_4:
        PostStep(dialog, IDC_STEP_FOLDER);
        break;
    case IDC_STEP_FOLDER:
        if (state && state->programFolder[0])
            DeleteProgramFolder(dialog, state->programFolder);
        PostStep(dialog, IDC_STEP_LAST);
        break;
    case IDC_STEP_LAST:
        RemoveProductItems(dialog);
        EnableFinishButton(dialog);
        break;
    }
}

/* OK: only once the removal is through does it end the program and start
 * the restore utility. */
static void OnFinish(HWND dialog)
{
    UninstallState *state = DialogState(dialog);
    if (!state || !IsFinishEnabled(dialog))
        return;
    state->finishPressed = 1;
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}

static void OnCommand(HWND dialog, int id)
{
    if (id == IDOK)
        OnFinish(dialog);
    else if (id == IDCANCEL)
        EnableFinishButton(dialog);
    else
        OnStep(dialog, id);
}

/* The close box and the end of the session take the same answer. */
static void OnClose(HWND dialog)
{
    if (SendMessageA(dialog, WM_QUERYENDSESSION, 0, 0))
        DestroyWindow(dialog);
}

static void OnQueryEndSession(HWND dialog)
{
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, IsFinishEnabled(dialog) ? 1 : 0);
}

static void OnDestroy(HWND dialog)
{
    SetWindowLongPtrA(dialog, DWLP_USER, 0);
    PostQuitMessage(0);
}

INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, (UninstallState *)lParam);
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        OnClose(dialog);
        return TRUE;
    case WM_QUERYENDSESSION:
        OnQueryEndSession(dialog);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return TRUE;
    }
    return FALSE;
}
