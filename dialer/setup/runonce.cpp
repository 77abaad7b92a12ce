/* Run-once values: commands the system runs once at the next logon. The
 * dialer uses them to resume its own setup and to have the setup source
 * path put back after an installation. */
#include "dialer/setup/setup.h"

static const char RUN_ONCE_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

static HKEY OpenRunOnce(BOOL machine)
{
    HKEY root = machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    HKEY key;
    DWORD disposition;
    char keyClass[] = "REG_SZ";
    if (RegOpenKeyExA(root, RUN_ONCE_KEY, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) == ERROR_SUCCESS)
        return key;
    if (RegCreateKeyExA(root, RUN_ONCE_KEY, 0, keyClass, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, NULL, &key, &disposition) == ERROR_SUCCESS)
        return key;
    return NULL;
}

BOOL SetRunOnce(BOOL machine, const char *name, const char *command)
{
    HKEY key = OpenRunOnce(machine);
    LONG rc;
    if (!key)
        return FALSE;
    rc = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)command, lstrlenA(command) + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL ClearRunOnce(BOOL machine, const char *name)
{
    HKEY key = OpenRunOnce(machine);
    LONG rc;
    if (!key)
        return FALSE;
    rc = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}
