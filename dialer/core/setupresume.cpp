/* The run-once entry that starts the dialer once more at the next logon, so
 * that it can report the end of an installation that needed a restart. */
#include "dialer/core/app.h"
#include "dialer/setup/setup.h"

static void ResumeValueName(char *name, int size)
{
    char work[PRODUCT_KEY_SIZE + 16];
    wsprintfA(work, "%s_Setup", ProductKey);
    CopyText(name, work, size);
}

BOOL RegisterSetupResume(const char *option)
{
    char name[PRODUCT_KEY_SIZE + 16];
    char command[PATH_SIZE + 32];
    char exe[PATH_SIZE];

    if (!GetModuleFileNameA(NULL, exe, sizeof(exe)))
        return FALSE;
    exe[sizeof(exe) - 1] = 0;
    CopyText(command, exe, sizeof(command));
    AppendText(command, " ", sizeof(command));
    AppendText(command, option, sizeof(command));
    ResumeValueName(name, sizeof(name));
    return SetRunOnce(FALSE, name, command);
}

BOOL UnregisterSetupResume(void)
{
    char name[PRODUCT_KEY_SIZE + 16];
    ResumeValueName(name, sizeof(name));
    return ClearRunOnce(FALSE, name);
}
