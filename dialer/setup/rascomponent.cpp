/* Whether the system's remote-access (dial-up networking) component is
 * registered, and which INF file and section install it: read from the
 * setup registration of Windows NT or of the Windows 9x optional
 * components. */
#include "dialer/core/app.h"
#include "dialer/setup/checks.h"

#define NT_RAS_KEY   "SOFTWARE\\Microsoft\\RAS\\CurrentVersion"
#define RNA_KEY      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup\\OptionalComponents\\RNA"
#define WINDOWS_KEY  "SOFTWARE\\Microsoft\\Windows\\CurrentVersion"

static BOOL IsWindowsNT(void)
{
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

/* "folder\name" into a RAS_TEXT_SIZE buffer, cut at its capacity. */
static void MakeFilePath(char *out, const char *folder, const char *name)
{
    if (!out)
        return;
    CopyText(out, folder, RAS_TEXT_SIZE);
    AppendText(out, "\\", RAS_TEXT_SIZE);
    AppendText(out, name, RAS_TEXT_SIZE);
}

static void SystemFolder(char *out, UINT size)
{
    UINT len = GetSystemDirectoryA(out, size);
    if (len == 0 || len >= size)
        out[0] = 0;
}

BOOL GetInfDirectory(char *buffer, DWORD size)
{
    char windows[PATH_SIZE], devicePath[RAS_TEXT_SIZE];
    HKEY key;
    BOOL found = FALSE;
    UINT len;

    if (buffer && size > 0) {
        len = GetWindowsDirectoryA(windows, sizeof(windows));
        if (len == 0 || len >= sizeof(windows))
            windows[0] = 0;
        CopyText(buffer, windows, size);
        AppendText(buffer, "\\INF", size);
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, WINDOWS_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    /* Several folders separated by ";" are taken as one: the value is used whole. */
    if (QuerySettingText(key, "DevicePath", devicePath, sizeof(devicePath)) == ERROR_SUCCESS) {
        if (buffer && size > 0)
            CopyText(buffer, devicePath, size);
        found = TRUE;
    }
    RegCloseKey(key);
    return found;
}

BOOL QueryRasComponent(char *infPath, char *section)
{
    char folder[PATH_SIZE], value[RAS_TEXT_SIZE];
    HKEY key;
    BOOL installed = FALSE;
    BOOL nt = IsWindowsNT();

    if (nt) {
        SystemFolder(folder, sizeof(folder));
        MakeFilePath(infPath, folder, "OEMNSVRA.INF");
        if (section)
            CopyText(section, "InstallSoftwareAndService", RAS_TEXT_SIZE);
    } else {
        GetInfDirectory(folder, sizeof(folder));
        MakeFilePath(infPath, folder, "rna.inf");
        if (section)
            CopyText(section, "RNA", RAS_TEXT_SIZE);
    }
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, nt ? NT_RAS_KEY : RNA_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    if (nt) {
        if (QuerySettingText(key, "Infname", value, sizeof(value)) == ERROR_SUCCESS) {
            MakeFilePath(infPath, folder, value);
            installed = TRUE;
        }
    } else {
        if (QuerySettingText(key, "INF", value, sizeof(value)) == ERROR_SUCCESS)
            MakeFilePath(infPath, folder, value);
        if (QuerySettingText(key, "Section", value, sizeof(value)) == ERROR_SUCCESS && section)
            CopyText(section, value, RAS_TEXT_SIZE);
        if (QuerySettingText(key, "Installed", value, sizeof(value)) == ERROR_SUCCESS && value[0] == '1')
            installed = TRUE;
    }
    RegCloseKey(key);
    return installed;
}
