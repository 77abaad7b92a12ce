/* Preparing the machine: environment checks, component installation, the
 * run-once entries and the desktop shortcut. */
#ifndef TOVA_SETUP_H
#define TOVA_SETUP_H

#include <windows.h>

/* 0 when the machine is ready; negative when the dialer must not go on. */
int RunEnvironmentChecks(HWND owner);

void KeepSourcePath(void);
BOOL CopyCatalogFiles(void);
BOOL PrepareDunCabinet(const char *dunSetupPath);

/* Run-once values: machine-wide selects HKLM, otherwise HKCU. */
BOOL SetRunOnce(BOOL machine, const char *name, const char *command);
BOOL ClearRunOnce(BOOL machine, const char *name);

BOOL CreateDesktopShortcut(void);

/* Offers to install a modem when none is found. */
void OfferModemInstall(HWND owner);

#endif
