/* The checks of the machine before the login window shows: remote-access
 * component, network configuration, dial-up adapter with TCP/IP, scripting
 * tool, telephony, modems and dial-up networking, in that order. The first
 * problem is explained to the member, with the matching help topic, the
 * network control panel or an installer, and the dialer then ends so that
 * the member starts it again on the mended machine. */
#include "dialer/core/app.h"
#include "dialer/dialogs/dialogs.h"
#include "dialer/setup/checks.h"
#include "dialer/setup/setup.h"
#include "resource.h"
#include "tovakit.h"

#define TAPI_CAPTION     "TAPI"
#define HELP_NT_RAS      1101   /* installing remote access on Windows NT */
#define HELP_ADAPTER     1001   /* adding the dial-up adapter and TCP/IP */
#define HELP_TCPIP       1004   /* binding and cleaning up TCP/IP */

/* Dial-up adapter states of the helper library's check. */
#define ADAPTER_MISSING        0
#define ADAPTER_NO_TCPIP       1
#define ADAPTER_OK             2
#define ADAPTER_SEVERAL      (-1)
#define ADAPTER_SEVERAL_TCPIP (-2)

DWORD ScriptToolVersion[2] = { 0, 0 };

/* Whether the topic shows is the help system's business: the advice box
 * has already told the member what to do. */
void OpenHelpTopic(DWORD topic)
{
    WinHelpA(NULL, HelpFilePath, HELP_CONTEXT, topic);
}

/* Opens the network control panel; tells the member when it cannot. */
static void OpenNetworkPanel(HWND window, DWORD helpId)
{
    if (!TkOpenNetworkPanel())
        ShowMessage(window, MAKEINTRESOURCEA(IDS_NETCPL_FAILED), MAKEINTRESOURCEA(IDS_CAP_CONTROLPANEL),
                    MSG_ERROR | MB_HELP, helpId);
}

/* Missing remote-access component: Windows NT installs it from its network
 * settings, Windows 9x from the component's INF section. */
static int InstallRasComponent(HWND window, const char *infPath, const char *section)
{
    char command[SETUP_COMMAND_SIZE];

    UseOwnSourcePath();
    if (OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        OpenHelpTopic(HELP_NT_RAS);
        OpenNetworkPanel(window, HELP_NT_RAS);
        return CHECKS_PROBLEM;
    }
    ShowMessage(window, MAKEINTRESOURCEA(IDS_DUN_INSTALL_NOTICE), MAKEINTRESOURCEA(IDS_CAP_COMPONENT),
                MSG_INFO, 0);
    /* Both texts hold at most 127 characters: the command fits its buffer. */
    wsprintfA(command, "rundll.exe setupx.dll,InstallHinfSection %s 0 %s", section, infPath);
    if (!TkRunAndWait(command, 1)) {
        ShowMessage(window, MAKEINTRESOURCEA(IDS_DUN_SETUP_FAILED), MAKEINTRESOURCEA(IDS_CAP_COMPONENT),
                    MSG_ERROR, 0);
        return CHECKS_PROBLEM;
    }
    return CHECKS_READY;
}

static int CheckRasComponent(HWND window)
{
    char infPath[RAS_TEXT_SIZE], section[RAS_TEXT_SIZE];
    int result;

    if (QueryRasComponent(infPath, section))
        return CHECKS_READY;
    result = InstallRasComponent(window, infPath, section);
    if (result != CHECKS_READY)
        return result;
    /* The component registers itself only after Windows has restarted. */
    if (!QueryRasComponent(infPath, section))
        PromptRestart(window);
    return CHECKS_READY;
}

/* A problem reported together with the versions the member can read off. */
static int ReportWithVersions(HWND window, const char *text, const char *caption)
{
    ShowMessage(window, text, caption, MSG_ERROR, 0);
    ShowAboutBox(window);
    return CHECKS_PROBLEM;
}

static int CheckNetworkConfig(HWND window)
{
    char text[TEXT_SIZE], caption[TEXT_SIZE];
    if (TkCheckNetworkConfig() != 0)
        return CHECKS_READY;
    LoadText(IDS_REGISTRY_UNREADABLE, text, sizeof(text));
    LoadText(IDS_CAP_REGISTRY, caption, sizeof(caption));
    return ReportWithVersions(window, text, caption);
}

/* Before anything else needs a modem, a machine without one is offered
 * the modem wizard; an error in the count is left to the later test. */
static void OfferEarlyModem(HWND window)
{
    if (TkCheckTelephony() && TkGetModemCount(AppInstance, 0) == 0) {
        OfferModemInstall(window, (BOOL)FirstModemOffer);
        FirstModemOffer = 0;
    }
}

/* The advice for an adapter problem: text, help id of its box and the
 * help topic opened after it. */
static void AdapterAdvice(int state, UINT *text, DWORD *boxHelp, DWORD *topic)
{
    *boxHelp = HELP_TCPIP;
    *topic = HELP_ADAPTER;
    switch (state) {
    case ADAPTER_MISSING:       *text = IDS_ADAPTER_MISSING; *boxHelp = HELP_ADAPTER; break;
    case ADAPTER_NO_TCPIP:      *text = IDS_TCPIP_MISSING; *boxHelp = HELP_ADAPTER; *topic = HELP_TCPIP; break;
    case ADAPTER_SEVERAL:       *text = IDS_ADAPTER_SEVERAL; break;
    case ADAPTER_SEVERAL_TCPIP: *text = IDS_TCPIP_SEVERAL; break;
    default:                    *text = IDS_NETWORK_CHECK_FAILED; break;
    }
}

static int CheckDialupAdapter(HWND window)
{
    int state = TkCheckDialupAdapter();
    UINT text;
    DWORD boxHelp, topic;

    if (state == ADAPTER_OK)
        return CHECKS_READY;
    UseOwnSourcePath();
    if (state == ADAPTER_MISSING || state == ADAPTER_NO_TCPIP) {
        if (InstallMethod < INSTALL_AUTOMATIC)
            InstallMethod = ChooseInstallMethod();
        if (InstallMethod != INSTALL_MANUAL)
            return StartNetworkInstaller(window, InstallMethod);
    }
    AdapterAdvice(state, &text, &boxHelp, &topic);
    ShowMessage(window, MAKEINTRESOURCEA(text), MAKEINTRESOURCEA(IDS_CAP_NETWORK), MSG_ERROR | MB_HELP, boxHelp);
    OpenHelpTopic(topic);
    OpenNetworkPanel(window, HELP_ADAPTER);
    return CHECKS_PROBLEM;
}

static int CheckScriptingTool(HWND window)
{
    if (TkGetScriptingToolVersion(&ScriptToolVersion[0], &ScriptToolVersion[1]))
        return CHECKS_READY;
    /* A started installer does not stop the checks: the member restarts
     * the dialer once it has finished anyway. */
    return InstallScriptingTool(window, TRUE) ? CHECKS_READY : CHECKS_PROBLEM;
}

static int CheckTelephony(HWND window)
{
    char text[TEXT_SIZE];
    if (TkCheckTelephony())
        return CHECKS_READY;
    LoadText(IDS_TAPI_PROBLEM, text, sizeof(text));
    return ReportWithVersions(window, text, TAPI_CAPTION);
}

static int CheckModems(HWND window)
{
    char text[TEXT_SIZE];
    int count = TkGetModemCount(AppInstance, 0);

    if (count < 0) {
        FormatText(text, sizeof(text), IDS_TAPI_MODEM_PROBLEM, count);
        MessageBoxA(window, text, TAPI_CAPTION, MSG_ERROR);
        return CHECKS_PROBLEM;
    }
    if (count == 0)
        OfferModemInstall(window, FALSE);
    return CHECKS_READY;
}

static int CheckDialupNetworking(HWND window)
{
    if (TkCheckDialupNetworking())
        return CHECKS_READY;
    ShowMessage(window, MAKEINTRESOURCEA(IDS_DUN_MISSING), MAKEINTRESOURCEA(IDS_CAP_DUN), MSG_ERROR, 0);
    return CHECKS_PROBLEM;
}

int RunEnvironmentChecks(HWND window)
{
    int result;

    LoginWindow = window;
    if ((result = CheckRasComponent(window)) != CHECKS_READY)
        return result;
    if ((result = CheckNetworkConfig(window)) != CHECKS_READY)
        return result;
    OfferEarlyModem(window);
    if ((result = CheckDialupAdapter(window)) != CHECKS_READY)
        return result;
    if ((result = CheckScriptingTool(window)) != CHECKS_READY)
        return result;
    if ((result = CheckTelephony(window)) != CHECKS_READY)
        return result;
    if ((result = CheckModems(window)) != CHECKS_READY)
        return result;
    return CheckDialupNetworking(window);
}
