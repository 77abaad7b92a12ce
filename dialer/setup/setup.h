/* Preparing the machine: environment checks, component installation, the
 * run-once entries and the desktop shortcut. */
#ifndef TOVA_SETUP_H
#define TOVA_SETUP_H

#include <windows.h>

/* 0 when the machine is ready; negative when the dialer must not go on. */
int RunEnvironmentChecks(HWND owner);

/* The dial-up scripting tool's version as the checks found it: [0] is
 * major * 65536 + minor, [1] the third part; 0, 0 until the checks ran. */
extern DWORD ScriptToolVersion[2];

/* Set until the first modem offer of the process has been made: that one
 * waits for the system's modem wizard, later ones do not. Every caller
 * clears it right after passing it to OfferModemInstall. */
extern DWORD FirstModemOffer;

/* Tells the member that no modem is installed and starts the system's modem
 * wizard; with wait set, waits until the wizard has ended. */
void OfferModemInstall(HWND owner, BOOL wait);

/* The system's setup source path: saved once, put back at every start, and
 * pointed at the program's SYS folder while an installation runs. */
void KeepSourcePath(void);
void UseOwnSourcePath(void);

/* Copies the dial-up networking package files from one folder to another;
 * 1 when every file was copied. */
BOOL CopyDunPackage(const char *destination, const char *source);
BOOL CopyCatalogFiles(void);
BOOL PrepareDunCabinet(const char *dunSetupPath);

/* Run-once values: machine-wide selects HKLM, otherwise HKCU. */
BOOL SetRunOnce(BOOL machine, const char *name, const char *command);
BOOL ClearRunOnce(BOOL machine, const char *name);

/* Puts a shortcut to the running program on the member's desktop; 1 always
 * (a missing desktop folder or a shell failure only means no shortcut). */
BOOL CreateDesktopShortcut(void);
/* Saves a shell link named fileName in the desktop folder recorded under
 * "Shell Folders", pointing at target; an existing link is replaced. */
void SaveShortcut(const char *fileName, const char *target, const char *description);

#endif
