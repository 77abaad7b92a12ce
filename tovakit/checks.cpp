/* Environment checks of the simulated machine, each answered from the
 * profile: network configuration, dial-up adapter, dial-up networking,
 * telephony and the scripting tool; and the system installers the dialer
 * starts when something is missing (modem wizard, network control panel),
 * which the profile names as programs to start. */
#include "tovakit.h"
#include "profile.h"

int WINAPI TkCheckNetworkConfig(void) { return (int)SimNumber("NetworkConfig", 1); }
int WINAPI TkCheckDialupAdapter(void) { return (int)SimNumber("DialupAdapter", 2); }
BOOL WINAPI TkCheckDialupNetworking(void) { return SimNumber("DialupNetworking", 1) != 0; }
BOOL WINAPI TkCheckTelephony(void) { return SimNumber("Telephony", 1) != 0; }

BOOL WINAPI TkGetScriptingToolVersion(DWORD *a, DWORD *b)
{
    if (!SimNumber("ScriptTool", 1))
        return FALSE;
    if (a)
        *a = SimNumber("ScriptToolVersion", 0x00040000);
    if (b)
        *b = SimNumber("ScriptToolBuild", 950);
    return TRUE;
}

/* Starts the command line a profile value names: its process handle, or
 * null when the program does not start. *named tells whether the value
 * names a program at all. */
static HANDLE StartNamed(const char *value, BOOL *named)
{
    char command[1024];
    STARTUPINFOA startup;
    PROCESS_INFORMATION info;
    SimText(value, "", command, sizeof(command));
    *named = command[0] != 0;
    if (!*named)
        return NULL;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return NULL;
    CloseHandle(info.hThread);
    return info.hProcess;
}

/* With no "ModemWizard" program the machine has no wizard to offer. */
HANDLE WINAPI TkRunModemWizard(void)
{
    BOOL named;
    SimLogStart("202", NULL);
    return StartNamed("ModemWizard", &named);
}

/* With no "NetworkPanel" program, "NetworkPanelResult" answers. */
BOOL WINAPI TkOpenNetworkPanel(void)
{
    BOOL named;
    HANDLE process;
    SimLogStart("203", NULL);
    process = StartNamed("NetworkPanel", &named);
    if (!named)
        return SimNumber("NetworkPanelResult", 1) != 0;
    if (!process)
        return FALSE;
    CloseHandle(process);
    return TRUE;
}
