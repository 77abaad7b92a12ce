/* The connection engine. One process-wide connection handle; every read
 * and write of it happens on the login window's thread. The remote-access
 * service reports the dial from its own thread through the notifier, which
 * only posts WM_DIAL_NOTIFY, so Progress runs here in message order. */
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/connect/engine.h"
#include "dialer/connect/entry.h"
#include "dialer/connect/tokens.h"
#include "dialer/login/login.h"
#include "dialer/login/loginparts.h"
#include "dialer/web/web.h"
#include "resource.h"
#include "tovakit.h"

#define LINK_SPEED_RECORD 44
#define LINK_SPEED_BPS    5      /* 32-bit field at byte 20 */

HRASCONN ConnectionHandle;

/* Read by the notifier on the service's thread; written before each dial. */
static HWND volatile NotifyTarget;
static DWORD Announced;

static VOID WINAPI DialNotifier(UINT message, RASCONNSTATE state, DWORD error)
{
    HWND target = NotifyTarget;
    (void)message;
    if (target && IsWindow(target))
        PostMessageA(target, WM_DIAL_NOTIFY, (WPARAM)state, (LPARAM)error);
}

/* Takes the handle out of the process-wide value before hanging it up, so
 * that no path can hang up the same connection twice. */
static void HangUpConnection(void)
{
    HRASCONN handle = ConnectionHandle;
    ConnectionHandle = NULL;
    if (handle)
        TkHangUp(handle);
}

static void SetStatusText(HWND window, const char *text)
{
    SetDlgItemTextA(window, IDC_STATUS, text);
}

static void SetStatusId(HWND window, UINT id)
{
    char text[TEXT_SIZE];
    SetStatusText(window, LoadText(id, text, sizeof(text)));
}

static void ShowBusy(HWND window)
{
    SetInputsEnabled(window, FALSE);
    SetLoginMenuState(window, TRUE);
}

/* Reads an edit into a field, without the trailing spaces. */
static void ReadTrimmed(HWND window, int id, char *field, int size)
{
    field[0] = 0;
    GetDlgItemTextA(window, id, field, size);
    field[size - 1] = 0;
    CutTrailingSpaces(field);
}

static void AskForLogin(HWND window, int id)
{
    MessageBeep(MB_OK);
    ShowMessage(window, MAKEINTRESOURCEA(IDS_ENTER_ID_PASSWORD), MAKEINTRESOURCEA(IDS_CAP_CHECK), MSG_ERROR, 0);
    SendMessageA(window, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(window, id), TRUE);
}

static void StorePassword(HWND window, const char *password)
{
    if (IsDlgButtonChecked(window, IDC_SAVEPASSWORD) == BST_CHECKED) {
        Current.SavePassword = 1;
        WriteUserNumber(NULL, SettingName(SET_SAVEPASSWORD), 1);
        WriteUserText(NULL, SettingName(SET_PASSWORD), password);
    } else {
        Current.SavePassword = 0;
        WriteUserNumber(NULL, SettingName(SET_SAVEPASSWORD), 0);
        DeleteUserSetting(NULL, SettingName(SET_PASSWORD));
    }
}

static void ReportDialRefused(HWND window, DWORD code)
{
    char text[FORMAT_OUTPUT];
    if (code == ERROR_PORT_ALREADY_OPEN)
        LoadText(IDS_ST_ERR_PORT_OPEN, text, sizeof(text));
    else if (code == ERROR_CANNOT_FIND_PHONEBOOK_ENTRY)
        LoadText(IDS_ENTRY_NOT_FOUND, text, sizeof(text));
    else
        FormatText(text, sizeof(text), IDS_DIAL_FAILED, code);
    ShowMessage(window, text, MAKEINTRESOURCEA(IDS_CAP_ERROR), MSG_ERROR, 0);
}

/* Fills the dial parameters from the window; FALSE when the member has to
 * type an ID or password first. */
static BOOL ReadLogin(HWND window, RASDIALPARAMSA *params)
{
    ReadTrimmed(window, IDC_USERID, params->szUserName, sizeof(params->szUserName));
    if (!params->szUserName[0]) {
        AskForLogin(window, IDC_USERID);
        return FALSE;
    }
    WriteUserText(NULL, SettingName(SET_USERID), params->szUserName);
    ReadTrimmed(window, IDC_PASSWORD, params->szPassword, sizeof(params->szPassword));
    if (!params->szPassword[0]) {
        AskForLogin(window, IDC_PASSWORD);
        return FALSE;
    }
    StorePassword(window, params->szPassword);
    AppendText(params->szUserName, ACCOUNT_REALM, sizeof(params->szUserName));
    return TRUE;
}

static void WipeParams(RASDIALPARAMSA *params)
{
    volatile char *p = (volatile char *)params;
    unsigned i;
    for (i = 0; i < sizeof(*params); i++)
        p[i] = 0;
}

void Connect(HWND window, BOOL fromClick)
{
    LoginWindowState *state = LoginStateOf(window);
    RASDIALPARAMSA params;
    DWORD code = 0, rc;

    if (!state || ConnectionHandle)
        return;
    if (!fromClick)
        CopyText(state->PendingUrl, Current.StartUpUrl, sizeof(state->PendingUrl));
    ZeroMemory(&params, sizeof(params));
    params.dwSize = TK_DIALPARAMS_SIZE;
    if (!ReadLogin(window, &params)) {
        WipeParams(&params);
        return;
    }
    if (!RefreshEntry(window, state, &code)) {
        char text[FORMAT_OUTPUT];
        WipeParams(&params);
        FormatText(text, sizeof(text), IDS_ENTRY_REFRESH_FAILED, (int)code);
        ShowMessage(window, text, MAKEINTRESOURCEA(IDS_CAP_CONNECT), MSG_ERROR, 0);
        return;
    }
    CopyText(params.szEntryName, state->EntryName, sizeof(params.szEntryName));
    CopyText(params.szPhoneNumber, EntryPhoneNumber(state), sizeof(params.szPhoneNumber));

    NotifyTarget = window;
    Announced = 0;
    rc = TkDial(NULL, NULL, &params, 0, (LPVOID)DialNotifier, &ConnectionHandle);
    WipeParams(&params);
    if (rc == 0) {
        state->LinkState = LINK_DIALING;
        ShowBusy(window);
        return;
    }
    ReportDialRefused(window, rc);
    HangUpConnection();
}

/* The line is gone while the dialer still holds it: a member must never
 * see "connected" on a dead line. */
static void EndLostLine(HWND window)
{
    HangUpConnection();
    ReturnToIdle(window, FALSE);
    SetStatusId(window, IDS_ST_DISCONNECTED);
}

void OnDialProgress(HWND window, DWORD rasState, DWORD error)
{
    char text[STATUS_TEXT_SIZE];

    /* Reports still queued from a dial that has been hung up meanwhile
     * belong to no connection and would only overwrite the idle text. */
    if (!ConnectionHandle)
        return;
    if (DialProgressText(rasState, error, &Announced, text, sizeof(text)))
        SetStatusText(window, text);
    if (error) {
        HangUpConnection();
        ReturnToIdle(window, FALSE);
        return;
    }
    if (rasState == RASCS_Disconnected) {
        EndLostLine(window);
        return;
    }
    if (rasState == RASCS_Connected)
        PostMessageA(window, WM_COMMAND, IDOK, 0);
}

static void ShowLinkSpeed(HWND window)
{
    DWORD record[LINK_SPEED_RECORD / sizeof(DWORD)];
    char text[TEXT_SIZE];

    ZeroMemory(record, sizeof(record));
    record[0] = LINK_SPEED_RECORD;
    if (TkGetLinkSpeed(ConnectionHandle, record) == 0 && record[LINK_SPEED_BPS] != 0)
        FormatText(text, sizeof(text), IDS_ST_SPEED, record[LINK_SPEED_BPS]);
    else
        LoadText(IDS_ST_SPEED_UNKNOWN, text, sizeof(text));
    SetStatusText(window, text);
}

void OnConnected(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    char caption[TEXT_SIZE];

    if (!state || !ConnectionHandle)
        return;
    ShowBusy(window);
    SetDlgItemTextA(window, IDCANCEL, LoadText(IDS_BUTTON_DISCONNECT, caption, sizeof(caption)));
    ShowLinkSpeed(window);
    InvalidateRect(window, NULL, TRUE);
    UpdateWindow(window);
    if (Current.ActEmail)
        StartMailProgram();
    if (state->PendingUrl[0]) {
        OpenPage(state->PendingUrl);
        CopyText(state->PendingUrl, Current.StartUpUrl, sizeof(state->PendingUrl));
    }
    state->LinkState = LINK_CONNECTED;
}

void PollConnection(HWND window)
{
    RASCONNSTATUSA status;

    if (!ConnectionHandle)
        return;
    ZeroMemory(&status, sizeof(status));
    status.dwSize = TK_CONNSTATUS_SIZE;
    if (TkGetConnectStatus(ConnectionHandle, &status) != 0) {
        ConnectionHandle = NULL;
        ReturnToIdle(window, TRUE);
        ShowWindow(window, SW_RESTORE);
        InvalidateRect(window, NULL, TRUE);
        return;
    }
    if (status.rasconnstate == RASCS_Disconnected) {
        EndLostLine(window);
        ShowWindow(window, SW_RESTORE);
    }
}

BOOL ConfirmHangUp(HWND window)
{
    if (!ConnectionHandle)
        return FALSE;
    if (ShowMessage(window, MAKEINTRESOURCEA(IDS_CONFIRM_HANGUP), MAKEINTRESOURCEA(IDS_CAP_DISCONNECT),
                    MSG_QUESTION, 0) != IDOK)
        return ConnectionHandle != NULL;
    /* The line may have dropped while the question was open. */
    HangUpConnection();
    SetLoginMenuState(window, FALSE);
    return FALSE;
}

void CancelOrDisconnect(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    if (!ConnectionHandle || !state)
        return;
    if (state->LinkState != LINK_CONNECTED) {
        HangUpConnection();
        ReturnToIdle(window, TRUE);
        return;
    }
    if (ConfirmHangUp(window))
        return;
    ReturnToIdle(window, TRUE);
}

void ReturnToIdle(HWND window, BOOL writeStatus)
{
    LoginWindowState *state = LoginStateOf(window);
    BOOL wasConnected = state && state->LinkState == LINK_CONNECTED;
    char caption[TEXT_SIZE];

    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    if (writeStatus)
        SetStatusId(window, wasConnected ? IDS_ST_DISCONNECTED : IDS_ST_CANCELLED);
    ShowIdle(window);
    if (wasConnected)
        SetDlgItemTextA(window, IDCANCEL, LoadText(IDS_BUTTON_CANCEL, caption, sizeof(caption)));
    if (state)
        state->LinkState = LINK_IDLE;
}

void Reattach(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    if (!state)
        return;
    ConnectionHandle = TkFindConnection(state->EntryName);
    if (ConnectionHandle)
        PostMessageA(window, WM_COMMAND, IDOK, 0);
}
