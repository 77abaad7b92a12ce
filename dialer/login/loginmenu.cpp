/* The login window has no title bar, so its menu (connect, disconnect,
 * upgrade, exit, help, about) opens as a context menu: right-click on the
 * window body, Shift+F10 or the menu key. */
#include "dialer/connect/connect.h"
#include "dialer/login/login.h"
#include "dialer/login/loginparts.h"
#include "shared/message.h"
#include "resource.h"

/* Connect is offered while the line is down, disconnect while it is up. */
static void EnableLineCommands(HMENU menu, BOOL online)
{
    EnableMenuItem(menu, IDM_CONNECT, MF_BYCOMMAND | (online ? MF_GRAYED : MF_ENABLED));
    EnableMenuItem(menu, IDM_DISCONNECT, MF_BYCOMMAND | (online ? MF_ENABLED : MF_GRAYED));
}

void SetLoginMenuState(HWND window, BOOL online)
{
    HMENU menu = GetMenu(window);
    if (menu)
        EnableLineCommands(menu, online);
}

/* Menu 100 is a menu bar of two popups; the context menu shows both. */
static HMENU BuildContextMenu(void)
{
    HMENU bar = LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDM_MAIN));
    HMENU popup;
    char text[64];
    if (!bar)
        return NULL;
    popup = CreatePopupMenu();
    while (popup && GetMenuItemCount(bar) > 0) {
        HMENU sub = GetSubMenu(bar, 0);
        text[0] = 0;
        GetMenuStringA(bar, 0, text, sizeof(text), MF_BYPOSITION);
        RemoveMenu(bar, 0, MF_BYPOSITION);
        if (sub)
            AppendMenuA(popup, MF_POPUP | MF_STRING, (UINT_PTR)sub, text);
    }
    DestroyMenu(bar);
    return popup;
}

void ShowLoginMenu(HWND window, LPARAM position)
{
    LoginWindowState *state = LoginStateOf(window);
    BOOL online = ConnectionHandle != NULL;
    HMENU menu;
    POINT at;
    UINT command;

    if (!state)
        return;
    menu = BuildContextMenu();
    if (!menu)
        return;
    EnableLineCommands(menu, online);
    if (position == (LPARAM)-1) {
        RECT rect;
        GetWindowRect(window, &rect);
        at.x = rect.left + 16;
        at.y = rect.top + 16;
    } else {
        at.x = (short)LOWORD(position);
        at.y = (short)HIWORD(position);
    }
    SetForegroundWindow(window);
    command = (UINT)TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                   at.x, at.y, 0, window, NULL);
    DestroyMenu(menu);
    if (command)
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

BOOL LoginWindowIsTarget(HWND window)
{
    HWND login = LoginState.Window;
    return login && window && (window == login || IsChild(login, window));
}

BOOL IsLoginMenuKey(const MSG *msg)
{
    if (!LoginWindowIsTarget(msg->hwnd))
        return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
        return FALSE;
    return msg->wParam == VK_APPS || (msg->wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
}
