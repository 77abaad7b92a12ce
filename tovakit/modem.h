/* The simulated modems: names from the profile and the unimodem device
 * configuration block the system keeps for each. */
#ifndef TOVAKIT_MODEM_H
#define TOVAKIT_MODEM_H

#include <windows.h>

#define MODEM_NAME_SIZE   129
#define DEVCONFIG_SIZE    108      /* header 12 + COMMCONFIG 48 + MODEMSETTINGS 48 */
#define NO_DEVICE         0x80000042

/* The name of modem index; FALSE past the last one. */
BOOL SimModemName(DWORD index, char *name);
DWORD SimModemCount(void);
BOOL SimModemInstalled(const char *name);
/* Builds the device configuration block of a modem from the profile. */
void SimBuildDeviceConfig(BYTE *config);

#endif
