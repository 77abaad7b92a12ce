/* The login window: creation, its initialisation, the window procedure and
 * the handlers of its messages. Each message is handed to one small
 * handler; the handlers that need the record do nothing without it. */
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/connect/engine.h"
#include "dialer/connect/entry.h"
#include "dialer/connect/numbers.h"
#include "dialer/connect/script.h"
#include "dialer/login/banner.h"
#include "dialer/login/login.h"
#include "dialer/login/loginparts.h"
#include "dialer/login/skin.h"
#include "dialer/setup/setup.h"
#include "shared/dialogs.h"
#include "resource.h"
#include "tovakit.h"

#define USER_ID_LIMIT   127
#define PASSWORD_LIMIT  32

LoginWindowState LoginState;

LoginWindowState *LoginStateOf(HWND window)
{
    return (LoginWindowState *)GetWindowLongPtrA(window, DWLP_USER);
}

static INT_PTR SetResult(HWND window, LONG_PTR result)
{
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
}

HWND CreateLoginWindow(void)
{
    ZeroMemory(&LoginState, sizeof(LoginState));
    TkGetEntryName(LoginState.EntryName);
    LoginState.EntryName[sizeof(LoginState.EntryName) - 1] = 0;
    return CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_LOGIN), GetDesktopWindow(),
                              LoginWindowProc, (LPARAM)&LoginState);
}

static void SetCaptionAndIcon(HWND window)
{
    char caption[TITLE_SIZE];
    HICON icon = LoadIconA(AppInstance, MAKEINTRESOURCEA(IDI_TOVALINK));
    if (icon)
        SetClassLongPtrA(window, GCLP_HICON, (LONG_PTR)icon);
    caption[0] = 0;
    TkGetWindowCaption(caption);
    caption[sizeof(caption) - 1] = 0;
    SetWindowTextA(window, caption);
}

/* After an installation the dialer says once that setup has finished and
 * removes the run-once entry that brought it back. */
static void ReportSetupDone(HWND window)
{
    if (SetupMode == SETUP_NONE && !FinalRun)
        return;
    ShowMessage(window, MAKEINTRESOURCEA(IDS_SETUP_DONE), MAKEINTRESOURCEA(IDS_CAP_SETUP),
                MB_OK | MB_ICONEXCLAMATION, 0);
    UnregisterSetupResume();
    SetupMode = SETUP_NONE;
    FinalRun = 0;
}

static void InitRecord(HWND window, LoginWindowState *state)
{
    ZeroMemory(state, sizeof(*state));
    state->FirstPaint = TRUE;
    state->Window = window;
    state->Tooltip = CreateTooltip(window);
    TkGetEntryName(state->EntryName);
    state->EntryName[sizeof(state->EntryName) - 1] = 0;
    state->NextAdNumber = -1;
    CopyText(state->BannerUrl, Current.StartUpUrl, sizeof(state->BannerUrl));
    InitLoginImages(window, state);
}

/* Puts back the ID and password of the last connect. */
static void RestoreLogin(HWND window)
{
    char id[USER_ID_LIMIT + 1], password[PASSWORD_LIMIT + 1];
    ReadUserText(NULL, SettingName(SET_USERID), id, sizeof(id));
    ReadUserText(NULL, SettingName(SET_PASSWORD), password, sizeof(password));
    SetEditText(window, IDC_USERID, USER_ID_LIMIT, id);
    SetEditText(window, IDC_PASSWORD, PASSWORD_LIMIT, password);
    CheckDlgButton(window, IDC_SAVEPASSWORD, Current.SavePassword ? BST_CHECKED : BST_UNCHECKED);
}

static void RegisterTooltips(HWND window)
{
    static const int TOOLS[] = { IDC_BANNER, IDC_LOGO, IDC_HELPBUTTON, IDC_SETTINGS, IDM_UPGRADE };
    unsigned i;
    for (i = 0; i < sizeof(TOOLS) / sizeof(TOOLS[0]); i++)
        AddTooltip(window, TOOLS[i]);
}

static BOOL FailInit(HWND window)
{
    DestroyWindow(window);
    return FALSE;
}

static BOOL OnInitDialog(HWND window, LoginWindowState *state)
{
    char text[TEXT_SIZE];

    LoginWindow = window;
    SetCaptionAndIcon(window);
    if (RunEnvironmentChecks(window) < 0)
        return FailInit(window);
    SetWindowLongPtrA(window, DWLP_USER, (LONG_PTR)state);
    SetTimer(window, LOGIN_TIMER, LOGIN_TIMER, NULL);
    ShapeWindow(window);
    CenterWindow(window, 0, NULL);
    SendMessageA(window, DM_SETDEFID, IDC_CONNECT, 0);
    ReportSetupDone(window);
    InitRecord(window, state);
    if (!LoadEntry(window, state))
        return FailInit(window);
    AdjustModemSettings(window, state);
    RegisterTooltips(window);
    if (!state->EntryBuffer)
        return FailInit(window);
    if (!CheckEntryScript(window, state)) {
        ShowMessage(window, MAKEINTRESOURCEA(IDS_SCRIPT_FILE_PROBLEM), MAKEINTRESOURCEA(IDS_CAP_SCRIPT),
                    MSG_ERROR, 0);
        return FailInit(window);
    }
    RestoreLogin(window);
    BuildAccessNumbers(window, state);
    CheckChosenModem(window, state);
    RotateBanner(window);
    ShowIdle(window);
    SetDlgItemTextA(window, IDC_STATUS, LoadText(IDS_PRODUCT_NAME, text, sizeof(text)));
    Reattach(window);
    return TRUE;
}

static void OnDestroy(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    RemoveTooltipHook();
    if (state) {
        SetWindowLongPtrA(window, DWLP_USER, 0);
        KillTimer(window, LOGIN_TIMER);
        ReleaseLoginImages(state);
        ReleaseAccessNumbers(state);
        ReleaseEntry(state);
    }
    if (LoginWindow == window)
        LoginWindow = NULL;
    PostQuitMessage(0);
}

static void OnTimer(HWND window, UINT_PTR id)
{
    if (id != LOGIN_TIMER)
        return;
    if (ConnectionHandle)
        PollConnection(window);
    if (BannerDue(window))
        RotateBanner(window);
}

/* Button 2 (cancel, later disconnect) lies exactly over the connect button. */
static void PlaceCancelButton(HWND window)
{
    HWND connect = GetDlgItem(window, IDC_CONNECT);
    HWND cancel = GetDlgItem(window, IDCANCEL);
    RECT rect;
    if (!connect || !cancel)
        return;
    GetWindowRect(connect, &rect);
    MapWindowPoints(NULL, window, (POINT *)&rect, 2);
    SetWindowPos(cancel, NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOZORDER);
    ShowWindow(cancel, SW_HIDE);
}

/* On the first paint the focus goes where the member continues: connect
 * when ID and password are both remembered, else the password. */
static void PlaceFirstFocus(HWND window, LoginWindowState *state)
{
    char id[USER_ID_LIMIT + 1], password[PASSWORD_LIMIT + 1];
    state->FirstPaint = FALSE;
    GetDlgItemTextA(window, IDC_USERID, id, sizeof(id));
    GetDlgItemTextA(window, IDC_PASSWORD, password, sizeof(password));
    if (id[0]) {
        int target = password[0] ? IDC_CONNECT : IDC_PASSWORD;
        SendMessageA(window, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(window, target), TRUE);
    }
    PlaceCancelButton(window);
}

static BOOL OnPaint(HWND window, WPARAM wParam, LPARAM lParam)
{
    LoginWindowState *state = LoginStateOf(window);
    LRESULT result = 0;
    BOOL painted = HandleSkinMessage(window, WM_PAINT, wParam, lParam, &result);
    if (state && state->FirstPaint)
        PlaceFirstFocus(window, state);
    return painted;
}

static BOOL OnQueryEndSession(HWND window)
{
    return !ConfirmHangUp(window);
}

void CloseLoginWindow(HWND window)
{
    if (SendMessageA(window, WM_QUERYENDSESSION, 0, 0))
        DestroyWindow(window);
}

/* Context help for a message box's help id. A request without an id names
 * no topic (Wine passes the box's request on to its owner once more with
 * none) and is left alone. */
static void OnHelpRequest(HWND window, const HELPINFO *info)
{
    if (info && info->dwContextId)
        WinHelpA(window, HelpFilePath, HELP_CONTEXT, info->dwContextId);
}

INT_PTR CALLBACK LoginWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;

    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window, (LoginWindowState *)lParam);
    case WM_COMMAND:
        return OnLoginCommand(window, LOWORD(wParam), HIWORD(wParam));
    case WM_DIAL_NOTIFY:
        OnDialProgress(window, (DWORD)wParam, (DWORD)lParam);
        return TRUE;
    case WM_TIMER:
        OnTimer(window, wParam);
        return SetResult(window, 0);
    case WM_QUERYENDSESSION:
        return SetResult(window, OnQueryEndSession(window));
    case WM_CLOSE:
        CloseLoginWindow(window);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(window);
        return TRUE;
    case WM_PAINT:
        return OnPaint(window, wParam, lParam);
    case WM_HELP:
        OnHelpRequest(window, (const HELPINFO *)lParam);
        return TRUE;
    case WM_CONTEXTMENU:
        ShowLoginMenu(window, lParam);
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        /* A dialog hands back the brush itself for the colour messages. */
        return HandleSkinMessage(window, message, wParam, lParam, &result) ? (INT_PTR)result : FALSE;
    }
    if (HandleSkinMessage(window, message, wParam, lParam, &result))
        return SetResult(window, result);
    return FALSE;
}
