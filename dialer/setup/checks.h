/* Operations of the environment checks that only the system-preparation
 * code itself uses: the remote-access component query, the choice and start
 * of an installer, the wait for the modem wizard's window and the restart
 * question. */
#ifndef TOVA_CHECKS_H
#define TOVA_CHECKS_H

#include <windows.h>

#define RAS_TEXT_SIZE      128   /* INF path and section: at most 127 characters */
#define SETUP_COMMAND_SIZE 512   /* command lines built or named by the helper library */

/* Results of RunEnvironmentChecks. */
#define CHECKS_READY            0
#define CHECKS_PROBLEM        (-1)   /* reported; help, control panel or about box opened */
#define CHECKS_INSTALLER      (-2)   /* an installer runs; the member starts again after it */
#define CHECKS_INSTALL_FAILED (-3)   /* an installer could not be started */

/* How missing network components are installed, chosen once per process. */
#define INSTALL_UNCHOSEN   0
#define INSTALL_AUTOMATIC  1   /* the network setup program named by the helper library */
#define INSTALL_MANUAL     2   /* advice, help topic and the network control panel */
#define INSTALL_PACKAGE    3   /* the dial-up networking package at DunInstallerPath */

extern DWORD InstallMethod;

/* 1 when the system's remote-access component is registered. Fills the
 * buffers it is given (RAS_TEXT_SIZE each) with the INF file and section
 * that install it, also when the result is 0. */
BOOL QueryRasComponent(char *infPath, char *section);
/* The system's INF folder ("DevicePath", else the Windows folder + "\INF");
 * 1 when "DevicePath" was read. */
BOOL GetInfDirectory(char *buffer, DWORD size);

DWORD ChooseInstallMethod(void);
/* Starts the installer of method 1 or 3: CHECKS_INSTALLER or
 * CHECKS_INSTALL_FAILED. */
int StartNetworkInstaller(HWND window, DWORD method);
/* Starts the dial-up scripting tool's installer next to the program; with
 * talk set the member is told before and on failure. 1 when started. */
BOOL InstallScriptingTool(HWND owner, BOOL talk);
/* Asks whether to restart Windows now and asks the system to on Yes. */
void PromptRestart(HWND owner);

/* Polls the top-level windows once a second for the modem wizard's title
 * (string 100, any letter case) until it is there (or, with untilGone,
 * until it is not); 1 when that state came within the seconds. */
BOOL WaitForWindowTitle(DWORD seconds, BOOL untilGone);

/* Opens a topic of the dialer's help file without an owner window. */
void OpenHelpTopic(DWORD topic);

#endif
