/* The process-wide values of the dialer and the tests on the system version
 * that decide the Windows 95 and 98 specific steps. */
#include "dialer/core/app.h"
#include "dialer/core/current.h"

OSVERSIONINFOA OsVersion;
DWORD DebugMode;
WORD SetupMode;
DWORD FinalRun;
char ProgramDirectory[PATH_SIZE];
char WorkDirectory[PATH_SIZE];
char DataDirectory[PATH_SIZE];
char HelpFilePath[PATH_SIZE];
char DunInstallerPath[PATH_SIZE];
HANDLE InstanceMutex;
HWND LoginWindow;
char TargetWindowTitle[TITLE_SIZE];
CurrentSettings Current;

BOOL IsWindows95(void)
{
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
           OsVersion.dwMajorVersion == 4 && OsVersion.dwMinorVersion < 10;
}

BOOL IsWindows98(void)
{
    return OsVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
           OsVersion.dwMajorVersion == 4 && OsVersion.dwMinorVersion == 10;
}
