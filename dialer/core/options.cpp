/* Command-line options. Each is found as a plain, case-sensitive substring
 * anywhere in the line, so an option glued to other text still counts. */
#include "dialer/core/app.h"

static BOOL HasOption(const char *line, const char *option)
{
    const char *p;
    int len = lstrlenA(option);
    if (!line)
        return FALSE;
    for (p = line; *p; p++) {
        int i = 0;
        while (i < len && p[i] == option[i])
            i++;
        if (i == len)
            return TRUE;
    }
    return FALSE;
}

void ReadOptions(const char *commandLine)
{
    DebugMode = HasOption(commandLine, "-debug") ? 1 : 0;
    SetupMode = SETUP_NONE;
    if (HasOption(commandLine, "-setup"))
        SetupMode = SETUP_AUTO;
    /* "-msetup" contains "-setup", so it is tested last and always wins. */
    if (HasOption(commandLine, "-msetup"))
        SetupMode = SETUP_MANUAL;
    FinalRun = HasOption(commandLine, "-final") ? 1 : 0;
}
