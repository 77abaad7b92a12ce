/* The simulated phone book: entries written by the dialer (ordinal 706),
 * read back with their device configuration (703) and checked by name
 * (705). Each entry is a key under the simulator's state, so it outlives
 * the process that wrote it. */
#include "tovakit.h"
#include "modem.h"
#include "profile.h"

#define ENTRY_KEY_SIZE (sizeof(SIM_PHONEBOOK) + 1 + RAS_MaxEntryName + 1)

/* The registry key of an entry; FALSE for a name the phone book cannot
 * hold (empty, too long, or with a backslash, which would nest keys). */
static BOOL EntryKey(LPCSTR name, char *key)
{
    const char *p;
    if (!name || !name[0] || lstrlenA(name) > RAS_MaxEntryName)
        return FALSE;
    for (p = name; *p; p++)
        if (*p == '\\')
            return FALSE;
    SimCopy(key, SIM_PHONEBOOK "\\", ENTRY_KEY_SIZE);
    return SimAppend(key, name, ENTRY_KEY_SIZE);
}

/* A device is usable when it is an installed modem that the profile's
 * "UnusableDevices" list does not name. */
static BOOL DeviceUsable(LPCSTR device)
{
    return SimModemInstalled(device) && !SimListHas("UnusableDevices", "", device);
}

static BOOL FitsField(LPCSTR text, DWORD capacity)
{
    return !text || (DWORD)lstrlenA(text) < capacity;
}

DWORD WINAPI TkWriteEntry(LPCSTR name, DWORD country, LPCSTR areaCode, LPCSTR number, LPCSTR device,
                          LPCSTR script, LPVOID config, DWORD configSize)
{
    char key[ENTRY_KEY_SIZE];
    BYTE defaults[DEVCONFIG_SIZE];
    RASENTRYA *fields = NULL;     /* field capacities only */
    DWORD forced = SimNumber("WriteEntryResult", 0);

    if (forced)
        return forced;
    if (!EntryKey(name, key))
        return ERROR_INVALID_NAME;
    if (!device || !DeviceUsable(device))
        return ERROR_INVALID_PARAMETER;
    if (!FitsField(areaCode, sizeof(fields->szAreaCode)) ||
        !FitsField(number, sizeof(fields->szLocalPhoneNumber)) || !FitsField(script, sizeof(fields->szScript)) ||
        !FitsField(device, sizeof(fields->szDeviceName)))
        return ERROR_INVALID_PARAMETER;
    if (!config || !configSize) {
        SimBuildDeviceConfig(defaults);
        config = defaults;
        configSize = sizeof(defaults);
    }
    if (configSize > DEVCONFIG_MAX)
        return ERROR_INVALID_PARAMETER;
    if (!SimWriteNumber(key, "Country", country) || !SimWriteText(key, "AreaCode", areaCode) ||
        !SimWriteText(key, "Number", number) || !SimWriteText(key, "Device", device) ||
        !SimWriteText(key, "Script", script) || !SimWriteBinary(key, "Config", config, configSize))
        return ERROR_CANNOT_WRITE_PHONEBOOK;
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

/* Fills the first `size` bytes of the caller's entry record; every field
 * written lies inside the Windows 95 layout, which starts every version. */
static void FillEntry(const char *key, LPRASENTRYA entry, DWORD size)
{
    DWORD country = 0;
    ZeroMemory(entry, size);
    entry->dwSize = size;
    SimReadNumber(key, "Country", &country);
    entry->dwCountryID = country;
    entry->dwCountryCode = country;
    SimReadText(key, "AreaCode", entry->szAreaCode, sizeof(entry->szAreaCode));
    SimReadText(key, "Number", entry->szLocalPhoneNumber, sizeof(entry->szLocalPhoneNumber));
    SimReadText(key, "Script", entry->szScript, sizeof(entry->szScript));
    SimCopy(entry->szDeviceType, RASDT_Modem, sizeof(entry->szDeviceType));
    SimReadText(key, "Device", entry->szDeviceName, sizeof(entry->szDeviceName));
    entry->dwfOptions = RASEO_UseCountryAndAreaCodes | RASEO_ModemLights | RASEO_RemoteDefaultGateway;
    entry->dwfNetProtocols = RASNP_Ip;
    entry->dwFramingProtocol = RASFP_Ppp;
}

DWORD WINAPI TkGetEntryProperties(LPCSTR phoneBook, LPCSTR name, LPRASENTRYA entry, LPDWORD entrySize,
                                  LPBYTE device, LPDWORD deviceSize)
{
    char key[ENTRY_KEY_SIZE];
    BYTE config[DEVCONFIG_MAX];
    DWORD configSize = sizeof(config), needed = TK_ENTRY_SIZE;
    DWORD forced = SimNumber("EntryPropertiesResult", 0);
    (void)phoneBook;

    if (forced)
        return forced;
    if (!EntryKey(name, key) || !SimKeyExists(key))
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    if (!entrySize)
        return ERROR_INVALID_PARAMETER;
    if (!SimReadBinary(key, "Config", config, &configSize))
        configSize = 0;
    if (entry) {
        if (!SimRecordSizeOk(entry->dwSize, TK_ENTRY_SIZE, sizeof(RASENTRYA)))
            return ERROR_INVALID_SIZE;
        needed = entry->dwSize;
    }
    /* Null buffers, or buffers too small: report both sizes, write nothing. */
    if (!entry || *entrySize < needed || (device && deviceSize && *deviceSize < configSize) ||
        (device && !deviceSize)) {
        *entrySize = needed;
        if (deviceSize)
            *deviceSize = configSize;
        return ERROR_BUFFER_TOO_SMALL;
    }
    FillEntry(key, entry, needed);
    *entrySize = needed;
    if (deviceSize) {
        if (device)
            CopyMemory(device, config, configSize);
        *deviceSize = configSize;
    }
    return 0;
}
