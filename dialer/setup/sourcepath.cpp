/* The system's setup source path: the folder from which Windows setup takes
 * component files. The dialer saves the value it finds at its first start,
 * puts that value back at every later start, and while it has an
 * installation run points it at the program's SYS folder, with the maker's
 * restore utility registered to put it back at the next logon. */
#include "dialer/core/app.h"
#include "dialer/core/paths.h"
#include "dialer/setup/components.h"
#include "dialer/setup/setup.h"

static const char SAVED_KEY[] = "SOFTWARE\\Brisole\\Windows";
static const char SETUP_KEY[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
static const char SOURCE_PATH[] = "SourcePath";

static BOOL ReadSourcePath(const char *keyName, char *buffer)
{
    HKEY key;
    LONG rc;

    if (!buffer)
        return FALSE;
    buffer[0] = 0;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return FALSE;
    rc = QuerySettingText(key, SOURCE_PATH, buffer, SOURCE_PATH_SIZE);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

static BOOL SetSourcePath(HKEY key, const char *text)
{
    LONG rc = RegSetValueExA(key, SOURCE_PATH, 0, REG_SZ, (const BYTE *)text, lstrlenA(text) + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL ReadSavedSourcePath(char *buffer)
{
    return ReadSourcePath(SAVED_KEY, buffer);
}

BOOL ReadSetupSourcePath(char *buffer)
{
    return ReadSourcePath(SETUP_KEY, buffer);
}

BOOL WriteSavedSourcePath(const char *text)
{
    HKEY key;
    DWORD disposition;
    char keyClass[] = "REG_SZ";

    if (!text)
        return FALSE;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SAVED_KEY, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, SAVED_KEY, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &key, &disposition) != ERROR_SUCCESS)
        return FALSE;
    return SetSourcePath(key, text);
}

/* The system's key belongs to Windows setup: it is written when it is
 * there, never created. */
BOOL WriteSetupSourcePath(const char *text)
{
    HKEY key;

    if (!text)
        return FALSE;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SETUP_KEY, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return FALSE;
    return SetSourcePath(key, text);
}

void KeepSourcePath(void)
{
    char saved[SOURCE_PATH_SIZE], current[SOURCE_PATH_SIZE];

    if (ReadSavedSourcePath(saved)) {
        if (!ReadSetupSourcePath(current) || lstrcmpiA(current, saved) != 0)
            WriteSetupSourcePath(saved);
        return;
    }
    if (ReadSetupSourcePath(current))
        WriteSavedSourcePath(current);
}

BOOL RegisterSourcePathRestore(void)
{
    char command[PATH_SIZE + 32];
    UINT len = GetWindowsDirectoryA(command, PATH_SIZE);

    if (len == 0 || len >= PATH_SIZE)
        return FALSE;
    AppendText(command, "\\Restamo.EXE -restoreSP", sizeof(command));
    return SetRunOnce(FALSE, "restoreSP", command);
}

/* Only a SYS folder that holds the marker library carries component files;
 * otherwise the system's own source path stays. The system installers do
 * not take long names, so the folder is given in its short form. */
void UseOwnSourcePath(void)
{
    char sys[PATH_SIZE], marker[PATH_SIZE], shortSys[PATH_SIZE];

    JoinPath(ProgramDirectory, "SYS", sys);
    CopyText(marker, sys, sizeof(marker));
    AppendText(marker, "\\RPCLTC6.DLL", sizeof(marker));
    if (!FileOpensForReading(marker))
        return;
    ToShortPath(sys, shortSys, sizeof(shortSys));
    WriteSetupSourcePath(shortSys);
    RegisterSourcePathRestore();
}
