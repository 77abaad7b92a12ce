/* Commands of the login window: its buttons, the keyboard (Enter, Esc) and
 * the context menu, one line per command. */
#include "dialer/core/app.h"
#include "dialer/connect/engine.h"
#include "dialer/connect/entry.h"
#include "dialer/connect/numbers.h"
#include "dialer/dialogs/dialogs.h"
#include "dialer/login/login.h"
#include "dialer/login/loginparts.h"
#include "dialer/servicedata/upgrade.h"
#include "dialer/web/web.h"
#include "resource.h"

/* The provider's home page, opened by the logo. */
static const char PROVIDER_HOME[] = "http://www.nerava.co.kr/";

/* A click on the banner or the logo opens its page, dialling first when
 * the member is offline. */
static void OnLinkClick(HWND window, BOOL banner)
{
    LoginWindowState *state = LoginStateOf(window);
    const char *link;
    if (!state)
        return;
    if (banner) {
        state->LastAdTick = GetTickCount();
        link = state->BannerUrl;
    } else {
        link = PROVIDER_HOME;
    }
    if (ConnectionHandle) {
        if (link[0])
            OpenPage(link);
        return;
    }
    CopyText(state->PendingUrl, link, sizeof(state->PendingUrl));
    Connect(window, TRUE);
}

static void OnSettings(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    DWORD changes = 0;
    if (!OpenSettingsDialog(window, &changes) || !state)
        return;
    if (changes & (SETTINGS_PLUSUSER | SETTINGS_AREA))
        BuildAccessNumbers(window, state);
    if (changes & SETTINGS_MODEM)
        CheckChosenModem(window, state);
}

static BOOL OnUpgrade(HWND window)
{
    if (ConnectionHandle) {
        LaunchUpgrade(window);
        return TRUE;
    }
    ShowMessage(window, MAKEINTRESOURCEA(IDS_CONNECT_FIRST), MAKEINTRESOURCEA(IDS_CAP_UPGRADE), MSG_INFO, 0);
    return FALSE;
}

static void OpenHelp(HWND window, UINT command)
{
    WinHelpA(window, HelpFilePath, command, command == HELP_PARTIALKEY ? (ULONG_PTR)"" : 0);
}

BOOL OnLoginCommand(HWND window, WORD id, WORD code)
{
    switch (id) {
    case IDC_CONNECT:
    case IDM_CONNECT:       Connect(window, FALSE); break;
    case IDCANCEL:
    case IDM_DISCONNECT:    CancelOrDisconnect(window); break;
    case IDOK:              OnConnected(window); break;
    case IDC_BANNER:        OnLinkClick(window, TRUE); break;
    case IDC_LOGO:          OnLinkClick(window, FALSE); break;
    case IDC_HELPBUTTON:    if (code == BN_CLICKED) OpenHelp(window, HELP_CONTENTS); break;
    case IDM_HELP_CONTENTS: OpenHelp(window, HELP_CONTENTS); break;
    case IDM_HELP_INDEX:    OpenHelp(window, HELP_PARTIALKEY); break;
    case IDM_HELP_USING:    OpenHelp(window, HELP_HELPONHELP); break;
    case IDC_SETTINGS:      OnSettings(window); break;
    case IDM_UPGRADE:       return OnUpgrade(window);
    case IDC_MINIMIZE:      SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case IDC_CLOSEBUTTON:   SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case IDM_EXIT:          CloseLoginWindow(window); break;
    case IDM_ABOUT:         ShowAboutBox(window); break;
    default:                return FALSE;
    }
    return TRUE;
}
