/* The simulated phone book: entries written by the dialer, kept under the
 * simulator's state key so that they outlive the process. */
#include "tovakit.h"
#include "modem.h"
#include "profile.h"

#define ENTRY_KEY_SIZE 200

static BOOL EntryKey(LPCSTR name, char *key)
{
    if (!name || !name[0] || lstrlenA(name) > RAS_MaxEntryName)
        return FALSE;
    SimCopy(key, SIM_STATE "\\PhoneBook\\", ENTRY_KEY_SIZE);
    lstrcatA(key, name);
    return TRUE;
}

static BOOL DeviceUnusable(LPCSTR device)
{
    char list[512];
    const char *p;
    int len = lstrlenA(device);
    if (!device[0] || !SimModemInstalled(device))
        return TRUE;
    SimText("UnusableDevices", "", list, sizeof(list));
    for (p = list; *p;) {
        const char *end = p;
        while (*end && *end != '|')
            end++;
        if (end - p == len && CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, p, len, device, len) == 2)
            return TRUE;
        p = *end ? end + 1 : end;
    }
    return FALSE;
}

DWORD WINAPI TkWriteEntry(LPCSTR name, DWORD country, LPCSTR areaCode, LPCSTR number, LPCSTR device,
                          LPCSTR script, LPVOID config, DWORD configSize)
{
    char key[ENTRY_KEY_SIZE];
    BYTE defaults[DEVCONFIG_SIZE];
    DWORD forced = SimNumber("WriteEntryResult", 0);

    if (forced)
        return forced;
    if (!EntryKey(name, key) || !device || DeviceUnusable(device))
        return ERROR_INVALID_PARAMETER;
    if (!config || !configSize) {
        SimBuildDeviceConfig(defaults);
        config = defaults;
        configSize = sizeof(defaults);
    }
    SimWriteNumber(key, "Country", country);
    SimWriteText(key, "AreaCode", areaCode ? areaCode : "");
    SimWriteText(key, "Number", number ? number : "");
    SimWriteText(key, "Device", device);
    SimWriteText(key, "Script", script ? script : "");
    SimWriteBinary(key, "Config", config, configSize);
    return 0;
}

DWORD WINAPI TkValidateEntryName(LPCSTR phoneBook, LPCSTR name)
{
    char key[ENTRY_KEY_SIZE];
    (void)phoneBook;
    if (!EntryKey(name, key))
        return ERROR_INVALID_NAME;
    return SimKeyExists(key) ? ERROR_ALREADY_EXISTS : 0;
}

DWORD WINAPI TkGetEntryProperties(LPCSTR phoneBook, LPCSTR name, LPRASENTRYA entry, LPDWORD entrySize,
                                  LPBYTE device, LPDWORD deviceSize)
{
    char key[ENTRY_KEY_SIZE];
    BYTE config[4096];
    DWORD configSize = sizeof(config);
    DWORD forced = SimNumber("EntryPropertiesResult", 0);
    (void)phoneBook;

    if (forced)
        return forced;
    if (!EntryKey(name, key) || !SimKeyExists(key))
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    if (!SimReadBinary(key, "Config", config, &configSize))
        configSize = 0;
    if (!entry || !entrySize || *entrySize < sizeof(RASENTRYA) ||
        (device && deviceSize && *deviceSize < configSize)) {
        if (entrySize)
            *entrySize = sizeof(RASENTRYA);
        if (deviceSize)
            *deviceSize = configSize;
        return ERROR_BUFFER_TOO_SMALL;
    }
    ZeroMemory(entry, sizeof(RASENTRYA));
    entry->dwSize = sizeof(RASENTRYA);
    SimReadNumber(key, "Country", &entry->dwCountryCode);
    SimReadText(key, "AreaCode", entry->szAreaCode, sizeof(entry->szAreaCode));
    SimReadText(key, "Number", entry->szLocalPhoneNumber, sizeof(entry->szLocalPhoneNumber));
    SimReadText(key, "Script", entry->szScript, sizeof(entry->szScript));
    SimReadText(key, "Device", entry->szDeviceName, sizeof(entry->szDeviceName));
    SimCopy(entry->szDeviceType, RASDT_Modem, sizeof(entry->szDeviceType));
    entry->dwfOptions = RASEO_UseCountryAndAreaCodes | RASEO_ModemLights;
    entry->dwFramingProtocol = RASFP_Ppp;
    entry->dwfNetProtocols = RASNP_Ip;
    *entrySize = sizeof(RASENTRYA);
    if (deviceSize) {
        if (device)
            CopyMemory(device, config, configSize);
        *deviceSize = configSize;
    }
    return 0;
}
