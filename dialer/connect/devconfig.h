/* The unimodem device configuration block of the entry's modem: a small
 * header, then a COMMCONFIG whose provider data is a MODEMSETTINGS. The
 * block comes from the system, so every field is reached only after its
 * offsets have been checked against the block's size. */
#ifndef TOVA_DEVCONFIG_H
#define TOVA_DEVCONFIG_H

#include <windows.h>

#define DEVCONFIG_VERSION   0x10003
#define DEVCONFIG_OPTIONS   8        /* status lights only */

/* The modem settings inside the block, or null when the block holds none
 * or its provider data lies outside it. */
MODEMSETTINGS *ModemSettingsOf(BYTE *config, DWORD size);
/* Sets the dialling options of a version 0x10003 block. */
void SetDeviceOptions(BYTE *config, DWORD size);
/* A diagnostic box of debug mode: one formatted number, caption "DEBUG". */
void DebugBox(const char *format, DWORD value);

#endif
