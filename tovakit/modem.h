/* The simulated modems: names from the profile and the unimodem device
 * configuration block the system keeps for each. */
#ifndef TOVAKIT_MODEM_H
#define TOVAKIT_MODEM_H

#include <windows.h>
#include <ras.h>

#define MODEM_NAME_SIZE   (RAS_MaxDeviceName + 1)
#define DEVCONFIG_SIZE    108      /* header 12 + COMMCONFIG 48 + MODEMSETTINGS 48 */
#define DEVCONFIG_MAX     4096     /* largest block an entry keeps */

/* The name of modem index (buffer MODEM_NAME_SIZE); FALSE past the last one. */
BOOL SimModemName(DWORD index, char *name);
DWORD SimModemCount(void);
BOOL SimModemInstalled(const char *name);
/* Builds the device configuration block (DEVCONFIG_SIZE bytes) of a modem from the profile. */
void SimBuildDeviceConfig(BYTE *config);

#endif
