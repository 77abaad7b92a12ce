/* Simulated modems, telephony and the dialling location. The profile value
 * "Modems" lists the installed modems separated by '|' (empty: none). */
#include "tovakit.h"
#include "modem.h"
#include "profile.h"

static const char DEFAULT_MODEMS[] = "Standard 56K Modem";

BOOL SimModemName(DWORD index, char *name)
{
    char list[1024];
    const char *p;
    DWORD i = 0;
    SimText("Modems", DEFAULT_MODEMS, list, sizeof(list));
    p = list;
    if (!*p)
        return FALSE;
    for (;;) {
        const char *end = p;
        while (*end && *end != '|')
            end++;
        if (i == index) {
            DWORD len = (DWORD)(end - p);
            if (len >= MODEM_NAME_SIZE)
                len = MODEM_NAME_SIZE - 1;
            CopyMemory(name, p, len);
            name[len] = 0;
            return TRUE;
        }
        if (!*end)
            return FALSE;
        p = end + 1;
        i++;
    }
}

DWORD SimModemCount(void)
{
    char name[MODEM_NAME_SIZE];
    DWORD n = 0;
    while (SimModemName(n, name))
        n++;
    return n;
}

BOOL SimModemInstalled(const char *name)
{
    char found[MODEM_NAME_SIZE];
    DWORD i;
    for (i = 0; SimModemName(i, found); i++)
        if (lstrcmpiA(found, name) == 0)
            return TRUE;
    return FALSE;
}

static void PutDword(BYTE *config, DWORD at, DWORD value)
{
    CopyMemory(config + at, &value, sizeof(value));
}

void SimBuildDeviceConfig(BYTE *config)
{
    ZeroMemory(config, DEVCONFIG_SIZE);
    PutDword(config, 0, DEVCONFIG_SIZE);
    PutDword(config, 4, 0x10003);
    /* COMMCONFIG at 12: size, version, DCB, provider subtype/offset/size. */
    PutDword(config, 12, DEVCONFIG_SIZE - 12);
    config[16] = 1;
    PutDword(config, 20, sizeof(DCB));
    PutDword(config, 24, 57600);
    PutDword(config, 48, PST_MODEM);
    PutDword(config, 52, 48);
    PutDword(config, 56, 48);
    /* MODEMSETTINGS at 60. */
    PutDword(config, 60, 48);
    PutDword(config, 64, 48);
    PutDword(config, 76, SimNumber("CallSetupFailTimer", 60));
    PutDword(config, 80, SimNumber("InactivityTimeout", 0));
    PutDword(config, 84, SimNumber("SpeakerVolume", MDMVOL_MEDIUM));
    PutDword(config, 88, SimNumber("SpeakerMode", MDMSPKR_DIAL));
    PutDword(config, 92, SimNumber("PreferredModemOptions", 0x3C6));
}

DWORD WINAPI TkEnumModem(char *name, DWORD *index, DWORD reserved, DWORD *configSize, DWORD *spare,
                         DWORD diagnostics)
{
    (void)reserved;
    (void)diagnostics;
    if (!name || !index || !SimModemName(*index, name))
        return NO_DEVICE;
    if (configSize)
        *configSize = DEVCONFIG_SIZE;
    if (spare)
        *spare = 0;
    return 0;
}

DWORD WINAPI TkGetModemConfig(char *name, DWORD *index, LPVOID config, DWORD *size)
{
    if (!name || !index || !size || !SimModemName(*index, name))
        return NO_DEVICE;
    if (!config) {
        *size = DEVCONFIG_SIZE;
        return 0;
    }
    if (*size < DEVCONFIG_SIZE) {
        *size = DEVCONFIG_SIZE;
        return ERROR_BUFFER_TOO_SMALL;
    }
    SimBuildDeviceConfig((BYTE *)config);
    *size = DEVCONFIG_SIZE;
    return 0;
}

int WINAPI TkGetModemCount(HINSTANCE instance, DWORD reserved)
{
    (void)instance;
    (void)reserved;
    return (int)SimNumber("ModemCount", SimModemCount());
}

/* Installers the simulator starts on request: a program named by the
 * profile stands in for the system's modem wizard and network panel. */
static HANDLE StartNamed(const char *value)
{
    char command[MAX_PATH];
    STARTUPINFOA startup;
    PROCESS_INFORMATION info;
    SimText(value, "", command, sizeof(command));
    if (!command[0])
        return NULL;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return NULL;
    CloseHandle(info.hThread);
    return info.hProcess;
}

HANDLE WINAPI TkRunModemWizard(void)
{
    return StartNamed("ModemWizard");
}

BOOL WINAPI TkOpenNetworkPanel(void)
{
    HANDLE process = StartNamed("NetworkPanel");
    if (!process)
        return SimNumber("NetworkPanelResult", 1) != 0;
    CloseHandle(process);
    return TRUE;
}

DWORD WINAPI TkGetDialingLocation(LPVOID buf)
{
    BYTE *record = (BYTE *)buf;
    char area[32];
    DWORD result = SimNumber("LocationResult", 0), country;
    if (!record)
        return ERROR_INVALID_PARAMETER;
    if (result)
        return result;
    ZeroMemory(record, 512);
    country = SimNumber("CountryCode", 82);
    CopyMemory(record + 84, &country, sizeof(country));
    SimText("AreaCode", "02", area, sizeof(area));
    SimCopy((char *)record + 88, area, 512 - 88);
    return 0;
}
