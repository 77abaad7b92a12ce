/* Tooltips of the login window and the hover tracking: one tooltip window
 * owned by the login window, fed by a message hook on the GUI thread that
 * relays mouse messages of the window's controls to it and follows the
 * mouse for the button highlight. Texts are asked for when shown. */
#include "dialer/login/skin.h"
#include "dialer/login/login.h"
#include "shared/message.h"
#include "resource.h"

#include <commctrl.h>

static HWND TooltipWindow;
static HWND HookedWindow;
static HHOOK HookHandle;

static LRESULT CALLBACK TooltipHook(int code, WPARAM flag, LPARAM message)
{
    const MSG *msg = (const MSG *)message;

    if (code >= 0 && msg) {
        if (msg->message == WM_MOUSEMOVE || msg->message == WM_NCMOUSEMOVE)
            TrackHotButton(HookedWindow);
        if (TooltipWindow && HookedWindow && IsChild(HookedWindow, msg->hwnd) &&
            (msg->message == WM_MOUSEMOVE || msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONUP ||
             msg->message == WM_RBUTTONDOWN || msg->message == WM_RBUTTONUP)) {
            MSG copy = *msg;
            SendMessageA(TooltipWindow, TTM_RELAYEVENT, 0, (LPARAM)&copy);
        }
    }
    return CallNextHookEx(HookHandle, code, flag, message);
}

HWND CreateTooltip(HWND window)
{
    HookedWindow = window;
    TooltipWindow = CreateWindowExA(0, TOOLTIPS_CLASSA, NULL, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, window, NULL, AppInstance, NULL);
    if (!TooltipWindow)
        return NULL;
    HookHandle = SetWindowsHookExA(WH_GETMESSAGE, TooltipHook, NULL, GetCurrentThreadId());
    if (!HookHandle) {
        DestroyWindow(TooltipWindow);
        TooltipWindow = NULL;
        return NULL;
    }
    return TooltipWindow;
}

void RemoveTooltipHook(void)
{
    HookedWindow = NULL;
    if (HookHandle)
        UnhookWindowsHookEx(HookHandle);
    HookHandle = NULL;
    TooltipWindow = NULL; /* owned by the login window, destroyed with it */
}

BOOL AddTooltip(HWND window, int controlId)
{
    LoginWindowState *state = LoginStateOf(window);
    HWND control = GetDlgItem(window, controlId);
    TOOLINFOA tool;

    if (!state || !state->Tooltip || !control)
        return FALSE;
    ZeroMemory(&tool, sizeof(tool));
    tool.cbSize = TTTOOLINFOA_V1_SIZE; /* the oldest common controls know this size */
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = window;
    tool.uId = (UINT_PTR)control;
    tool.hinst = NULL;
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    return SendMessageA(state->Tooltip, TTM_ADDTOOLA, 0, (LPARAM)&tool) != 0;
}

BOOL AnswerTooltipText(HWND window, NMHDR *header, LRESULT *result)
{
    NMTTDISPINFOA *info = (NMTTDISPINFOA *)header;
    UINT_PTR tool;
    int id;
    UINT text = 0;

    (void)window;
    if (!header || header->code != TTN_NEEDTEXTA)
        return FALSE;
    tool = header->idFrom;
    id = (info->uFlags & TTF_IDISHWND) ? GetDlgCtrlID((HWND)tool) : (int)tool;
    switch (id) {
    case IDC_BANNER:        text = IDS_TIP_BANNER; break;
    case IDC_HELPBUTTON:    text = IDS_TIP_HELP; break;
    case IDC_SETTINGS:      text = IDS_TIP_SETTINGS; break;
    case IDM_UPGRADE:       text = IDS_TIP_UPGRADE; break;
    case IDC_LOGO:
        /* the logo's fixed text, into the notification's own buffer */
        info->szText[0] = 0;
        LoadStringA(AppInstance, IDS_TIP_LOGO, info->szText, sizeof(info->szText));
        info->lpszText = info->szText;
        *result = 0;
        return TRUE;
    default:
        return FALSE;
    }
    info->lpszText = MAKEINTRESOURCEA(text);
    info->hinst = AppInstance;
    *result = 0;
    return TRUE;
}
