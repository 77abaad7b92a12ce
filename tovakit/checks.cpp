/* Environment checks of the simulated machine, each answered from the
 * profile: network configuration, dial-up adapter, dial-up networking,
 * telephony and the scripting tool. */
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
