/* Simulated modems and telephony: the installed modems, each modem's
 * unimodem device configuration, the modem count and the dialing location.
 * The profile value "Modems" lists the modems separated by '|' (an empty
 * text: none installed). */
#include "tovakit.h"
#include "modem.h"
#include "profile.h"
#include <mcx.h>
#include <stddef.h>

static const char DEFAULT_MODEMS[] = "Standard 56K Modem";

/* The block: 32-bit size, 32-bit version, 16-bit options, 16-bit wait
 * time, then a COMMCONFIG whose provider data is a MODEMSETTINGS. */
#define DEVCONFIG_VERSION  0x10003
#define COMMCONFIG_AT      12
#define PROVIDER_OFFSET    48      /* from the COMMCONFIG to its provider data */
#define MODEMSETTINGS_SIZE 48

BOOL SimModemName(DWORD index, char *name)
{
    return SimListItem("Modems", DEFAULT_MODEMS, index, name, MODEM_NAME_SIZE);
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
    return name && name[0] && SimListHas("Modems", DEFAULT_MODEMS, name);
}

void SimBuildDeviceConfig(BYTE *config)
{
    COMMCONFIG comm;
    MODEMSETTINGS modem;
    DWORD header[3];

    ZeroMemory(config, DEVCONFIG_SIZE);
    header[0] = DEVCONFIG_SIZE;
    header[1] = DEVCONFIG_VERSION;
    header[2] = 0;                 /* options and wait time */
    CopyMemory(config, header, sizeof(header));

    ZeroMemory(&comm, sizeof(comm));
    comm.dwSize = DEVCONFIG_SIZE - COMMCONFIG_AT;
    comm.wVersion = 0x100;
    comm.dcb.DCBlength = sizeof(DCB);
    comm.dcb.BaudRate = CBR_57600;
    comm.dcb.fBinary = 1;
    comm.dcb.fOutxCtsFlow = 1;
    comm.dcb.fDtrControl = DTR_CONTROL_ENABLE;
    comm.dcb.fRtsControl = RTS_CONTROL_HANDSHAKE;
    comm.dcb.ByteSize = 8;
    comm.dcb.Parity = NOPARITY;
    comm.dcb.StopBits = ONESTOPBIT;
    comm.dwProviderSubType = PST_MODEM;
    comm.dwProviderOffset = PROVIDER_OFFSET;
    comm.dwProviderSize = MODEMSETTINGS_SIZE;
    CopyMemory(config + COMMCONFIG_AT, &comm, PROVIDER_OFFSET);

    ZeroMemory(&modem, sizeof(modem));
    modem.dwActualSize = MODEMSETTINGS_SIZE;
    modem.dwRequiredSize = MODEMSETTINGS_SIZE;
    modem.dwDevSpecificOffset = 0;
    modem.dwDevSpecificSize = 0;
    modem.dwCallSetupFailTimer = SimNumber("CallSetupFailTimer", 60);
    modem.dwInactivityTimeout = SimNumber("InactivityTimeout", 0);
    modem.dwSpeakerVolume = SimNumber("SpeakerVolume", MDMVOL_MEDIUM);
    modem.dwSpeakerMode = SimNumber("SpeakerMode", MDMSPKR_DIAL);
    modem.dwPreferredModemOptions =
        SimNumber("PreferredModemOptions", MDM_COMPRESSION | MDM_ERROR_CONTROL | MDM_FLOWCONTROL_HARD |
                                               MDM_SPEED_ADJUST | MDM_TONE_DIAL);
    CopyMemory(config + COMMCONFIG_AT + PROVIDER_OFFSET, &modem, MODEMSETTINGS_SIZE);
}

DWORD WINAPI TkEnumModem(char *name, DWORD *index, DWORD reserved, DWORD *configSize, DWORD *spare,
                         DWORD diagnostics)
{
    (void)reserved;
    (void)diagnostics;
    if (!name || !index)
        return ERROR_INVALID_PARAMETER;
    if (!SimModemName(*index, name)) {
        name[0] = 0;
        return TK_NO_DEVICE;
    }
    if (configSize)
        *configSize = DEVCONFIG_SIZE;
    if (spare)
        *spare = 0;
    return 0;
}

DWORD WINAPI TkGetModemConfig(char *name, DWORD *index, LPVOID config, DWORD *size)
{
    if (!name || !index || !size)
        return ERROR_INVALID_PARAMETER;
    if (!SimModemName(*index, name)) {
        name[0] = 0;
        return TK_NO_DEVICE;
    }
    if (config && *size < DEVCONFIG_SIZE) {
        *size = DEVCONFIG_SIZE;
        return ERROR_BUFFER_TOO_SMALL;
    }
    if (config)
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

DWORD WINAPI TkGetDialingLocation(LPVOID buf)
{
    BYTE *record = (BYTE *)buf;
    char area[32];
    DWORD result = SimNumber("LocationResult", 0), country;
    if (!record)
        return ERROR_INVALID_PARAMETER;
    if (result)
        return result;
    ZeroMemory(record, TK_LOCATION_SIZE);
    country = SimNumber("CountryCode", 82);
    CopyMemory(record + TK_LOCATION_COUNTRY, &country, sizeof(country));
    SimText("AreaCode", "02", area, sizeof(area));
    SimCopy((char *)record + TK_LOCATION_AREA, area, TK_LOCATION_SIZE - TK_LOCATION_AREA);
    return 0;
}
