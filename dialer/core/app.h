/* Process-wide values of the dialer, fixed at start-up and read by every
 * window and job of the program. */
#ifndef TOVA_APP_H
#define TOVA_APP_H

#include <windows.h>
#include "shared/settings.h"
#include "shared/message.h"

#define PATH_SIZE    260   /* every path: at most 259 characters */
#define TITLE_SIZE   128   /* window titles: at most 127 characters */

/* Setup modes given on the command line. */
#define SETUP_NONE   0
#define SETUP_AUTO   1     /* "-setup" */
#define SETUP_MANUAL 2     /* "-msetup" */

extern OSVERSIONINFOA OsVersion;
extern DWORD DebugMode;
extern WORD SetupMode;
extern DWORD FinalRun;
extern char ProgramDirectory[PATH_SIZE];
extern char WorkDirectory[PATH_SIZE];
extern char DataDirectory[PATH_SIZE];
extern char HelpFilePath[PATH_SIZE];
extern char DunInstallerPath[PATH_SIZE];
extern HANDLE InstanceMutex;
extern HWND LoginWindow;
extern char TargetWindowTitle[TITLE_SIZE];

BOOL IsWindows95(void);
BOOL IsWindows98(void);

/* Directory plus name with one backslash between; an absolute name (leading
 * backslash or drive colon) is used unchanged. out holds PATH_SIZE bytes. */
char *JoinPath(const char *directory, const char *name, char *out);

/* Window-enumeration callback: sets *(int *)found when a window's title
 * equals TargetWindowTitle, ignoring case. */
BOOL CALLBACK MatchWindowTitle(HWND window, LPARAM found);

BOOL RegisterSetupResume(const char *option);
BOOL UnregisterSetupResume(void);

/* Start-up steps that prepare the settings. */
void InitMachineSettings(void);
void InitUserSettings(void);
void LoadMachineSettings(void);
void RecordUpdateComponents(void);

/* Reads the options of the command line into the process-wide values. */
void ReadOptions(const char *commandLine);

/* The whole run of the dialer: start-up, message loop, clean-up. */
int RunDialer(HINSTANCE instance, const char *commandLine, int showCommand);

#endif
