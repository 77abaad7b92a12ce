/* The service's phone-book entry: loaded (or created on the first modem the
 * system accepts) when the login window starts, and rewritten before every
 * dial with the first access number, the outside-line prefix and the
 * member's modem. */
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/connect/connect.h"
#include "dialer/connect/devconfig.h"
#include "dialer/connect/entry.h"
#include "dialer/connect/numbers.h"
#include "dialer/connect/script.h"
#include "dialer/setup/setup.h"
#include "resource.h"
#include "tovakit.h"

#define COUNTRY_KOREA        82
#define MAX_MODEMS           31
#define NO_MODEM_DEVICE      0x80000042
#define ENTRY_EXISTS         183
#define NO_ACCESS_NUMBER     186
#define ENTRY_RECORD_SIZE    TK_ENTRY_SIZE

/* The service's nationwide access number, written into a new entry. */
static const char SERVICE_NUMBER[] = "01433";

static RASENTRYA *EntryOf(const LoginWindowState *state)
{
    return (RASENTRYA *)state->EntryBuffer;
}

const char *EntryPhoneNumber(const LoginWindowState *state)
{
    if (!state || !state->EntryBuffer)
        return "";
    return EntryOf(state)->szLocalPhoneNumber;
}

static void ShowFormatted(HWND window, UINT textId, UINT captionId, DWORD code)
{
    char text[FORMAT_OUTPUT];
    FormatText(text, sizeof(text), textId, (int)code, code);
    ShowMessage(window, text, MAKEINTRESOURCEA(captionId), MSG_ERROR, 0);
}

/* Finds an installed modem by name (an empty name takes the first one and
 * is filled in); with a buffer its configuration is read as well. */
static BOOL LookUpDevice(char *name, BYTE *buffer, DWORD *size)
{
    char found[RAS_MaxDeviceName + 1];
    DWORD i;
    if (!buffer)
        *size = 0;
    for (i = 0; i < MAX_MODEMS * 4; i++) {
        DWORD index = i;
        found[0] = 0;
        if (TkGetModemConfig(found, &index, buffer, size) != 0)
            return FALSE;
        found[sizeof(found) - 1] = 0;
        if (!name[0]) {
            CopyText(name, found, RAS_MaxDeviceName + 1);
            return TRUE;
        }
        if (lstrcmpiA(name, found) == 0)
            return TRUE;
    }
    return FALSE;
}

/* Terminal windows of the scripting tool stay closed for this entry. */
static void WriteProfileValues(const char *entryName)
{
    char path[128];
    BYTE terminal[44];
    DWORD mode = 0;
    HKEY key;

    CopyText(path, "RemoteAccess\\Profile\\", sizeof(path));
    AppendText(path, entryName, sizeof(path));
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    ZeroMemory(terminal, sizeof(terminal));
    terminal[0] = sizeof(terminal);
    terminal[8] = 7;
    RegSetValueExA(key, "Terminal", 0, REG_BINARY, terminal, sizeof(terminal));
    RegSetValueExA(key, "Mode", 0, REG_BINARY, (const BYTE *)&mode, sizeof(mode));
    RegCloseKey(key);
}

/* Creates the entry on the first modem that the system accepts for it. */
static BOOL CreateEntry(HWND window, const char *entryName, DWORD *code)
{
    char device[RAS_MaxDeviceName + 1], script[PATH_SIZE];
    DWORD i;

    *code = 0;
    if (!WriteEntryScript(entryName, script)) {
        ShowMessage(window, MAKEINTRESOURCEA(IDS_SCRIPT_CREATE_FAILED), MAKEINTRESOURCEA(IDS_CAP_SCRIPT),
                    MSG_ERROR, 0);
        *code = ERROR_CANNOT_OPEN_PHONEBOOK;
        return FALSE;
    }
    for (i = 0; i < MAX_MODEMS; i++) {
        DWORD index = i, configSize = 0, spare = 0, rc;
        BYTE *config;

        device[0] = 0;
        rc = TkEnumModem(device, &index, 0, &configSize, &spare, DebugMode);
        if (rc != 0) {
            *code = rc;
            OfferModemInstall(window, (BOOL)FirstModemOffer);
            FirstModemOffer = 0;
            return FALSE;
        }
        device[sizeof(device) - 1] = 0;
        config = (BYTE *)LocalAlloc(LPTR, configSize ? configSize : 1);
        if (!config)
            continue;
        index = i;
        rc = TkGetModemConfig(device, &index, config, &configSize);
        LocalFree(config);
        if (rc != 0) {
            *code = rc;
            return FALSE;
        }
        device[sizeof(device) - 1] = 0;
        rc = TkWriteEntry(entryName, COUNTRY_KOREA, "2", SERVICE_NUMBER, device, "", NULL, 0);
        if (rc == ERROR_INVALID_PARAMETER)
            continue;
        CopyText(Current.Modem, device, sizeof(Current.Modem));
        WriteUserText(NULL, SettingName(SET_MODEM), device);
        *code = TkValidateEntryName(NULL, entryName);
        return *code == ENTRY_EXISTS;
    }
    *code = ERROR_INVALID_PARAMETER;
    return FALSE;
}

static DWORD ProbeEntry(LoginWindowState *state)
{
    state->EntrySize = 0;
    state->DeviceSize = 0;
    return TkGetEntryProperties(NULL, state->EntryName, NULL, &state->EntrySize, NULL, &state->DeviceSize);
}

/* Reads the entry into the record's buffers; the record is never smaller
 * than the system's entry layout, whatever size the probe reported. */
static DWORD ReadEntry(LoginWindowState *state)
{
    DWORD entrySize = state->EntrySize;
    if (state->EntryBuffer && entrySize < ENTRY_RECORD_SIZE)
        entrySize = ENTRY_RECORD_SIZE;
    if (state->EntryBuffer)
        EntryOf(state)->dwSize = ENTRY_RECORD_SIZE;
    return TkGetEntryProperties(NULL, state->EntryName, (RASENTRYA *)state->EntryBuffer,
                                state->EntryBuffer ? &entrySize : NULL,
                                state->DeviceBuffer, state->DeviceBuffer ? &state->DeviceSize : NULL);
}

static BOOL AllocateEntry(LoginWindowState *state)
{
    DWORD size = state->EntrySize < ENTRY_RECORD_SIZE ? ENTRY_RECORD_SIZE : state->EntrySize;
    if (state->EntrySize) {
        state->EntryBuffer = (BYTE *)LocalAlloc(LPTR, size);
        if (!state->EntryBuffer)
            return FALSE;
        state->EntrySize = size;
        EntryOf(state)->dwSize = ENTRY_RECORD_SIZE;
    }
    if (state->DeviceSize) {
        state->DeviceBuffer = (BYTE *)LocalAlloc(LPTR, state->DeviceSize);
        if (!state->DeviceBuffer)
            return FALSE;
    }
    return TRUE;
}

static BOOL FailLoad(LoginWindowState *state)
{
    ReleaseEntry(state);
    return FALSE;
}

BOOL LoadEntry(HWND window, LoginWindowState *state)
{
    DWORD rc, code;

    TkGetEntryName(state->EntryName);
    state->EntryName[sizeof(state->EntryName) - 1] = 0;
    rc = ProbeEntry(state);
    if (rc == ERROR_INVALID_PARAMETER || rc == ERROR_CANNOT_OPEN_PHONEBOOK ||
        rc == ERROR_CANNOT_FIND_PHONEBOOK_ENTRY) {
        if (!CreateEntry(window, state->EntryName, &code)) {
            if (code == NO_MODEM_DEVICE)
                ShowMessage(window, MAKEINTRESOURCEA(IDS_NO_MODEM_RESTART), MAKEINTRESOURCEA(IDS_CAP_PHONEBOOK),
                            MSG_ERROR, 0);
            else
                ShowFormatted(window, IDS_ENTRY_CREATE_FAILED, IDS_CAP_PHONEBOOK, code);
            return FailLoad(state);
        }
        rc = ProbeEntry(state);
    }
    if (rc != ERROR_BUFFER_TOO_SMALL) {
        if (rc == ERROR_PROC_NOT_FOUND)
            ShowMessage(window, MAKEINTRESOURCEA(IDS_RAS_LIBRARY_MISSING), MAKEINTRESOURCEA(IDS_CAP_PHONEBOOK),
                        MSG_ERROR, 0);
        else
            ShowFormatted(window, IDS_PHONEBOOK_BROKEN, IDS_CAP_PHONEBOOK, rc);
        return FailLoad(state);
    }
    WriteProfileValues(state->EntryName);
    if (!AllocateEntry(state))
        return FailLoad(state);
    rc = ReadEntry(state);
    if (rc != 0 && rc != ERROR_NOT_ENOUGH_MEMORY) {
        ShowFormatted(window, IDS_UNKNOWN_ERROR, IDS_CAP_ERROR, rc);
        return FailLoad(state);
    }
    if (state->DeviceBuffer)
        return TRUE;
    if (state->DeviceSize == 0 && OsVersion.dwPlatformId == VER_PLATFORM_WIN32_NT && state->EntryBuffer) {
        char device[RAS_MaxDeviceName + 1];
        CopyText(device, EntryOf(state)->szDeviceName, sizeof(device));
        if (LookUpDevice(device, NULL, &state->DeviceSize))
            return TRUE;
    }
    if (state->DeviceSize == 0) {
        ShowMessage(window, MAKEINTRESOURCEA(IDS_MODEM_CHANGED), MAKEINTRESOURCEA(IDS_CAP_MODEM), MSG_INFO, 0);
        state->DeviceChanged = state->EntryChanged = state->RewriteEntry = TRUE;
        return TRUE;
    }
    state->DeviceBuffer = (BYTE *)LocalAlloc(LPTR, state->DeviceSize);
    if (!state->DeviceBuffer)
        return FailLoad(state);
    rc = ReadEntry(state);
    if (rc != 0) {
        ShowFormatted(window, IDS_UNKNOWN_ERROR, IDS_CAP_ERROR, rc);
        return FailLoad(state);
    }
    return TRUE;
}

void AdjustModemSettings(HWND window, LoginWindowState *state)
{
    MODEMSETTINGS *modem = ModemSettingsOf(state->DeviceBuffer, state->DeviceSize);
    (void)window;
    if (!modem)
        return;
    if (DebugMode) {
        DebugBox("dwDevSpecificSize=%08ld", modem->dwDevSpecificSize);
        DebugBox("dwPreferredModemOptions=%08lX", modem->dwPreferredModemOptions);
        DebugBox("dwSpeakerMode=%08lX", modem->dwSpeakerMode);
        DebugBox("dwSpeakerVolume=%08lX", modem->dwSpeakerVolume);
        DebugBox("InactivityTimeout=%08lX", modem->dwInactivityTimeout);
        DebugBox("dwCallSetupFailTimer=%08lX", modem->dwCallSetupFailTimer);
    }
    if (modem->dwCallSetupFailTimer < 30) {
        modem->dwCallSetupFailTimer = 60;
        modem->dwSpeakerVolume = MDMVOL_MEDIUM;
        modem->dwSpeakerMode = MDMSPKR_DIAL;
        state->EntryChanged = TRUE;
    }
}

void CheckChosenModem(HWND window, LoginWindowState *state)
{
    char name[RAS_MaxDeviceName + 1], first[RAS_MaxDeviceName + 1];
    BOOL matched = FALSE;
    DWORD i, code = 0;

    first[0] = 0;
    for (i = 0; i < MAX_MODEMS * 4; i++) {
        DWORD index = i;
        name[0] = 0;
        if (TkEnumModem(name, &index, 0, NULL, NULL, DebugMode) != 0)
            break;
        name[sizeof(name) - 1] = 0;
        if (i == 0)
            CopyText(first, name, sizeof(first));
        if (lstrcmpiA(name, Current.Modem) == 0)
            matched = TRUE;
    }
    if (!matched && state->EntryBuffer) {
        CopyText(EntryOf(state)->szDeviceName, first, sizeof(EntryOf(state)->szDeviceName));
        state->DeviceChanged = state->EntryChanged = TRUE;
    }
    if (state->RewriteEntry && !RefreshEntry(window, state, &code)) {
        char text[FORMAT_OUTPUT];
        FormatText(text, sizeof(text), IDS_MODEM_REFRESH_FAILED, (int)code);
        ShowMessage(window, text, MAKEINTRESOURCEA(IDS_CAP_CONNECT), MSG_ERROR, 0);
    }
}

/* Replaces the record's device configuration with the one of the entry's
 * device (or of the first modem when that one is gone). */
static BOOL ReloadDevice(HWND window, LoginWindowState *state)
{
    RASENTRYA *entry = EntryOf(state);
    DWORD size = 0;
    BYTE *config;

    CopyText(Current.Modem, entry->szDeviceName, sizeof(Current.Modem));
    WriteUserText(NULL, SettingName(SET_MODEM), Current.Modem);
    if (!LookUpDevice(entry->szDeviceName, NULL, &size)) {
        entry->szDeviceName[0] = 0;
        if (!LookUpDevice(entry->szDeviceName, NULL, &size)) {
            ShowMessage(window, MAKEINTRESOURCEA(IDS_MODEM_NOT_FOUND), MAKEINTRESOURCEA(IDS_CAP_MODEM), MSG_ERROR, 0);
            return FALSE;
        }
    }
    config = (BYTE *)LocalAlloc(LPTR, size ? size : 1);
    if (!config) {
        ShowMessage(window, MAKEINTRESOURCEA(IDS_OUT_OF_MEMORY), MAKEINTRESOURCEA(IDS_CAP_SYSTEM), MSG_ERROR, 0);
        return FALSE;
    }
    if (!LookUpDevice(entry->szDeviceName, config, &size)) {
        LocalFree(config);
        ShowMessage(window, MAKEINTRESOURCEA(IDS_MODEM_UNREADABLE), MAKEINTRESOURCEA(IDS_CAP_MODEM), MSG_ERROR, 0);
        return FALSE;
    }
    if (state->DeviceBuffer)
        LocalFree(state->DeviceBuffer);
    state->DeviceBuffer = config;
    state->DeviceSize = size;
    return TRUE;
}

/* Brings the entry record in line with the number to dial. */
static void MatchEntryToNumber(LoginWindowState *state, const AccessNumber *item, const char *dial)
{
    RASENTRYA *entry = EntryOf(state);
    if (lstrcmpA(entry->szAreaCode, item->Area) != 0 || lstrcmpA(entry->szLocalPhoneNumber, dial) != 0) {
        CopyText(entry->szAreaCode, item->Area, sizeof(entry->szAreaCode));
        CopyText(entry->szLocalPhoneNumber, dial, sizeof(entry->szLocalPhoneNumber));
        state->EntryChanged = TRUE;
    }
    if (entry->szScript[0]) {
        entry->szScript[0] = 0;
        state->EntryChanged = TRUE;
    }
    if (lstrcmpiA(entry->szDeviceName, Current.Modem) != 0) {
        CopyText(entry->szDeviceName, Current.Modem, sizeof(entry->szDeviceName));
        state->DeviceChanged = state->EntryChanged = TRUE;
    }
}

BOOL RefreshEntry(HWND window, LoginWindowState *state, DWORD *code)
{
    const AccessNumber *item;
    char dial[RAS_MaxPhoneNumber + 1];
    RASENTRYA *entry;

    *code = 0;
    if (!state || !state->EntryBuffer) {
        *code = ERROR_INVALID_PARAMETER;
        return FALSE;
    }
    entry = EntryOf(state);
    if (Current.DialPrefix[0] && Current.DialPrefix[lstrlenA(Current.DialPrefix) - 1] != ',')
        AppendText(Current.DialPrefix, ",", sizeof(Current.DialPrefix));
    WriteUserText(NULL, SettingName(SET_DIALPREFIX), Current.DialPrefix);

    item = FirstAccessNumber(state);
    if (!item) {
        *code = NO_ACCESS_NUMBER;
        return FALSE;
    }
    CopyText(dial, Current.DialPrefix, sizeof(dial));
    AppendText(dial, item->Number, sizeof(dial));
    CopyText(Current.DialArea, item->Area, sizeof(Current.DialArea));
    CopyText(Current.DialNumber, item->Number, sizeof(Current.DialNumber));
    Current.DialFlag = item->Type;
    WriteUserText(NULL, SettingName(SET_DIALAREA), Current.DialArea);
    WriteUserText(NULL, SettingName(SET_DIALNUMBER), item->Number);
    WriteUserNumber(NULL, SettingName(SET_DIALFLAG), (DWORD)item->Type);

    MatchEntryToNumber(state, item, dial);
    if (!state->EntryChanged)
        return TRUE;
    if (state->DeviceChanged && !ReloadDevice(window, state))
        return FALSE;
    SetDeviceOptions(state->DeviceBuffer, state->DeviceSize);
    *code = TkWriteEntry(state->EntryName, COUNTRY_KOREA, entry->szAreaCode, entry->szLocalPhoneNumber,
                         entry->szDeviceName, entry->szScript, state->DeviceBuffer, state->DeviceSize);
    if (TkValidateEntryName(NULL, state->EntryName) != ENTRY_EXISTS)
        return FALSE;
    state->DeviceChanged = state->EntryChanged = FALSE;
    return TRUE;
}

void ReleaseEntry(LoginWindowState *state)
{
    if (state->EntryBuffer)
        LocalFree(state->EntryBuffer);
    if (state->DeviceBuffer)
        LocalFree(state->DeviceBuffer);
    state->EntryBuffer = state->DeviceBuffer = NULL;
    state->EntrySize = state->DeviceSize = 0;
}
