/* First-run settings and the machine-wide settings that start-up brings up
 * to date: program directory, upgrade-server values, the dialer's version
 * tag and, on Windows 95, the dial-up networking installer. */
#include "dialer/core/app.h"
#include "dialer/connect/connect.h"
#include "dialer/setup/setup.h"
#include "resource.h"
#include "tovakit.h"

#define UPDATE_HOST_SIZE    128
#define UPDATE_NAME_SIZE    80
#define UPDATE_VERSION_SIZE 32
#define SETTINGS_VERSION    0x01000000

static void WriteStartPage(void)
{
    char page[PATH_SIZE];
    page[0] = 0;
    TkGetStartPage(page);
    page[sizeof(page) - 1] = 0;
    WriteSettingText(FALSE, NULL, SettingName(SET_STARTUPURL), page);
}

void InitMachineSettings(void)
{
    char key[PRODUCT_KEY_SIZE];
    key[0] = 0;
    TkGetProductKey(key);
    key[sizeof(key) - 1] = 0;
    CreateSettingsRoot(TRUE, key);
    WriteSettingText(TRUE, NULL, SettingName(SET_PROGDIR), ProgramDirectory);
    WriteSettingNumber(TRUE, NULL, SettingName(SET_VERSION), SETTINGS_VERSION);
    WriteStartPage();
}

void InitUserSettings(void)
{
    CreateDesktopShortcut();
    CreateSettingsRoot(FALSE, ProductKey);
    WriteSettingText(FALSE, NULL, SettingName(SET_WORKDIR), ProgramDirectory);
    WriteStartPage();
}

void RecordUpdateComponents(void)
{
    const char *update = SettingName(SET_UPDATE);
    DWORD count = TkGetUpdateCount();
    DWORD i;

    WriteSettingNumber(TRUE, update, SettingName(SET_COUNT), count);
    for (i = 0; i < count; i++) {
        char name[UPDATE_NAME_SIZE], version[UPDATE_VERSION_SIZE], subKey[64];
        DWORD flag = 0;
        name[0] = version[0] = 0;
        if (!TkGetUpdateComponent(i, name, version, &flag))
            continue;
        name[sizeof(name) - 1] = 0;
        version[sizeof(version) - 1] = 0;
        wsprintfA(subKey, "%s\\%ld", update, (long)i);
        WriteSettingText(TRUE, subKey, SettingName(SET_NAME), name);
        WriteSettingText(TRUE, subKey, SettingName(SET_VERSION), version);
        WriteSettingNumber(TRUE, subKey, SettingName(SET_FLAG), flag);
    }
}

/* The upgrade program finds its server in the machine-wide "Update" key;
 * the values are written once, when any of them is missing. */
static void UpdateServerSettings(void)
{
    const char *update = SettingName(SET_UPDATE);
    char host[UPDATE_HOST_SIZE];
    DWORD port = 0, id = 0;

    if (ReadSettingText(TRUE, update, SettingName(SET_HOST), host, sizeof(host)) == 0 &&
        ReadSettingNumber(TRUE, update, SettingName(SET_PORT), &port) == 0 &&
        ReadSettingNumber(TRUE, update, SettingName(SET_ID), &id) == 0)
        return;
    host[0] = 0;
    id = 0;
    port = TkGetUpdateServer(host, &id) & 0xFFFF;
    host[sizeof(host) - 1] = 0;
    WriteSettingText(TRUE, update, SettingName(SET_HOST), host);
    WriteSettingNumber(TRUE, update, SettingName(SET_PORT), port);
    WriteSettingNumber(TRUE, update, SettingName(SET_ID), id);
    WriteSettingText(TRUE, update, SettingName(SET_PROGDIR), ProgramDirectory);
    RecordUpdateComponents();
}

static void UpdateVersionTag(void)
{
    char tag[64], subKey[64], stored[PATH_SIZE];
    LoadText(IDS_VERSION_TAG, tag, sizeof(tag));
    LoadText(IDS_VERSION_KEY, subKey, sizeof(subKey));
    if (ReadSettingText(TRUE, subKey, SettingName(SET_VERSION), stored, sizeof(stored)) != 0 ||
        lstrcmpiA(stored, tag) != 0)
        WriteSettingText(TRUE, subKey, SettingName(SET_VERSION), tag);
}

static BOOL FileReadable(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(file);
    return TRUE;
}

/* Windows 95 installs dial-up networking from the package shipped in the
 * program's SYS folder: MSDUN13.EXE, or DUNSETUP.EXE with its cabinet. */
static void FindDunInstaller(void)
{
    char path[PATH_SIZE];

    JoinPath(ProgramDirectory, "SYS", path);
    AppendText(path, "\\MSDUN13.EXE", sizeof(path));
    if (FileReadable(path)) {
        CopyText(DunInstallerPath, path, sizeof(DunInstallerPath));
        return;
    }
    JoinPath(ProgramDirectory, "SYS", path);
    AppendText(path, "\\DUNSETUP.EXE", sizeof(path));
    if (FileReadable(path)) {
        CopyText(DunInstallerPath, path, sizeof(DunInstallerPath));
        if (SetupMode != SETUP_NONE)
            PrepareDunCabinet(path);
    }
}

void LoadMachineSettings(void)
{
    char dir[PATH_SIZE];
    LONG rc = ReadSettingText(TRUE, NULL, SettingName(SET_PROGDIR), dir, sizeof(dir));
    if (rc == 0)
        CopyText(ProgramDirectory, dir, sizeof(ProgramDirectory));
    else if (rc == ERROR_FILE_NOT_FOUND)
        WriteSettingText(TRUE, NULL, SettingName(SET_PROGDIR), ProgramDirectory);

    UpdateNumberedScripts();
    UpdateServerSettings();
    UpdateVersionTag();
    if (IsWindows95())
        FindDunInstaller();
}
