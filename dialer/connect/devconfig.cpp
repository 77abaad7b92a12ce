/* Reading and tuning the modem's device configuration block. */
#include "dialer/connect/devconfig.h"

#define DEVCONFIG_HEADER    12       /* size, version, options, wait */
#define PROVIDER_SUBTYPE    48
#define PROVIDER_OFFSET     52
#define PROVIDER_SIZE       56

static DWORD ReadDword(const BYTE *config, DWORD at)
{
    DWORD value;
    CopyMemory(&value, config + at, sizeof(value));
    return value;
}

MODEMSETTINGS *ModemSettingsOf(BYTE *config, DWORD size)
{
    DWORD offset, length;
    if (!config || size < PROVIDER_SIZE + 4)
        return NULL;
    length = ReadDword(config, PROVIDER_SIZE);
    if (length == 0 || ReadDword(config, PROVIDER_SUBTYPE) != PST_MODEM)
        return NULL;
    offset = ReadDword(config, PROVIDER_OFFSET);
    /* The offset counts from the COMMCONFIG; the whole MODEMSETTINGS must
     * lie inside the block. */
    if (offset > size || DEVCONFIG_HEADER + offset > size ||
        size - DEVCONFIG_HEADER - offset < sizeof(MODEMSETTINGS) ||
        length < sizeof(MODEMSETTINGS) - sizeof(BYTE))
        return NULL;
    return (MODEMSETTINGS *)(config + DEVCONFIG_HEADER + offset);
}

void SetDeviceOptions(BYTE *config, DWORD size)
{
    WORD options = DEVCONFIG_OPTIONS;
    if (!config || size < DEVCONFIG_HEADER || ReadDword(config, 4) != DEVCONFIG_VERSION)
        return;
    CopyMemory(config + 8, &options, sizeof(options));
}

void DebugBox(const char *format, DWORD value)
{
    char text[64];
    wsprintfA(text, format, value);
    MessageBoxA(NULL, text, "DEBUG", MB_OK | MB_TOPMOST);
}
