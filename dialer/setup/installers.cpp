/* Starting the installers the environment checks call for: the network
 * setup program or the dial-up networking package for a missing dial-up
 * adapter, the dial-up scripting tool's installer, and the question whether
 * to restart Windows afterwards. */
#include <string.h>
#include "dialer/core/app.h"
#include "dialer/core/paths.h"
#include "dialer/setup/checks.h"
#include "dialer/setup/setup.h"
#include "resource.h"
#include "tovakit.h"

#define PACKAGE_PROGRAM "DUNSETUP.EXE"

DWORD InstallMethod = INSTALL_UNCHOSEN;

DWORD ChooseInstallMethod(void)
{
    if (SetupMode == SETUP_MANUAL)
        return INSTALL_MANUAL;
    if (SetupMode == SETUP_AUTO && DunInstallerPath[0])
        return INSTALL_PACKAGE;
    return INSTALL_AUTOMATIC;
}

typedef BOOL(WINAPI *OpenTokenFn)(HANDLE, DWORD, PHANDLE);
typedef BOOL(WINAPI *LookupPrivilegeFn)(LPCSTR, LPCSTR, PLUID);
typedef BOOL(WINAPI *AdjustPrivilegesFn)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD, PTOKEN_PRIVILEGES, PDWORD);

/* Windows NT restarts only for a process that holds the shutdown privilege
 * switched on; without it the member's Yes would quietly do nothing. The
 * token functions are looked up at run time: Windows 95 needs none. */
static void EnableShutdownPrivilege(void)
{
    HMODULE advapi;
    OpenTokenFn openToken;
    LookupPrivilegeFn lookup;
    AdjustPrivilegesFn adjust;
    HANDLE token;
    TOKEN_PRIVILEGES wanted;

    if (OsVersion.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return;
    advapi = GetModuleHandleA("ADVAPI32.DLL");
    if (!advapi)
        return;
    openToken = (OpenTokenFn)(void *)GetProcAddress(advapi, "OpenProcessToken");
    lookup = (LookupPrivilegeFn)(void *)GetProcAddress(advapi, "LookupPrivilegeValueA");
    adjust = (AdjustPrivilegesFn)(void *)GetProcAddress(advapi, "AdjustTokenPrivileges");
    if (!openToken || !lookup || !adjust)
        return;
    if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    ZeroMemory(&wanted, sizeof(wanted));
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (lookup(NULL, "SeShutdownPrivilege", &wanted.Privileges[0].Luid))
        adjust(token, FALSE, &wanted, 0, NULL, NULL);
    CloseHandle(token);
}

void PromptRestart(HWND owner)
{
    if (ShowMessage(owner, MAKEINTRESOURCEA(IDS_RESTART_QUESTION), MAKEINTRESOURCEA(IDS_CAP_RESTART),
                    MB_YESNO | MB_ICONQUESTION, 0) != IDYES)
        return;
    EnableShutdownPrivilege();
    ExitWindowsEx(EWX_REBOOT, 0);
}

static void DebugBox(HWND owner, const char *text, const char *caption)
{
    if (DebugMode)
        ShowMessage(owner, text, caption, MB_OK, 0);
}

static int ReportStartFailure(HWND owner)
{
    ShowMessage(owner, MAKEINTRESOURCEA(IDS_RUN_FAILED), MAKEINTRESOURCEA(IDS_CAP_ERROR), MSG_ERROR, 0);
    return CHECKS_INSTALL_FAILED;
}

/* The network setup program that ships in the program folder. */
static void NetworkSetupCommand(char *command)
{
    char name[SETUP_COMMAND_SIZE];
    name[0] = 0;
    TkGetNetSetupName(name);
    name[sizeof(name) - 1] = 0;
    JoinPath(ProgramDirectory, name, command);
}

/* Starts a command without waiting for it. */
static int StartCommand(HWND owner, const char *command)
{
    if (!TkStartProgram(command))
        return ReportStartFailure(owner);
    DebugBox(owner, command, "Launch");
    return CHECKS_INSTALLER;
}

/* The package's setup program cannot run from a folder whose short name
 * holds a "~": its files are copied to the short-named temporary folder
 * first. Fills shortTemp (PATH_SIZE) and gives 1 when the copy is there. */
static BOOL CopyPackageToTemp(HWND owner, char *shortTemp)
{
    char temp[PATH_SIZE], source[PATH_SIZE];
    char *cut;
    DWORD len;

    DebugBox(owner, "DUNSETUP on Longfile", "DEBUG");
    len = GetTempPathA(sizeof(temp), temp);
    if (len == 0 || len >= sizeof(temp))
        return FALSE;
    if (temp[len - 1] == '\\')
        temp[len - 1] = 0;
    ToShortPath(temp, shortTemp, PATH_SIZE);
    DebugBox(owner, shortTemp, "TEMP");
    if (strchr(shortTemp, '~'))
        return FALSE;
    CopyText(source, DunInstallerPath, sizeof(source));
    cut = strrchr(source, '\\');
    if (!cut)
        return FALSE;
    *cut = 0;
    return CopyDunPackage(shortTemp, source);
}

/* Runs the copied package's setup program from the temporary folder and
 * waits for it: CHECKS_INSTALLER, or CHECKS_INSTALL_FAILED. */
static int RunCopiedPackage(HWND owner, const char *shortTemp)
{
    char command[PATH_SIZE], directory[PATH_SIZE];
    char *cut;
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;

    JoinPath(shortTemp, PACKAGE_PROGRAM, command);
    CopyText(directory, command, sizeof(directory));
    cut = strrchr(directory, '\\');
    if (cut)
        *cut = 0;
    DebugBox(owner, command, "COMMAND LINE");
    DebugBox(owner, cut ? directory : "", "CURRENT DIRECTORY");
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, NORMAL_PRIORITY_CLASS, NULL,
                        cut ? directory : NULL, &startup, &process))
        return ReportStartFailure(owner);
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    DebugBox(owner, "DONE", "MSDUN");
    PromptRestart(owner);
    return CHECKS_INSTALLER;
}

int StartNetworkInstaller(HWND window, DWORD method)
{
    char command[PATH_SIZE], shortTemp[PATH_SIZE];

    if (method != INSTALL_PACKAGE) {
        NetworkSetupCommand(command);
        return StartCommand(window, command);
    }
    ToShortPath(DunInstallerPath, command, sizeof(command));
    if (strstr(command, PACKAGE_PROGRAM) && strchr(command, '~')) {
        if (CopyPackageToTemp(window, shortTemp))
            return RunCopiedPackage(window, shortTemp);
        NetworkSetupCommand(command);
    }
    return StartCommand(window, command);
}

BOOL InstallScriptingTool(HWND owner, BOOL talk)
{
    char command[PATH_SIZE];
    char *cut;
    DWORD len;

    if (talk)
        ShowMessage(owner, MAKEINTRESOURCEA(IDS_SCRIPTTOOL_MISSING), MAKEINTRESOURCEA(IDS_CAP_SCRIPTTOOL),
                    MSG_ERROR, 0);
    len = GetModuleFileNameA(NULL, command, sizeof(command));
    if (len == 0 || len >= sizeof(command))
        command[0] = 0;
    cut = strrchr(command, '\\');
    if (cut)
        cut[1] = 0;
    else
        command[0] = 0;
    AppendText(command, "SCRIPT", sizeof(command));
    if (TkStartProgram(command))
        return TRUE;
    if (talk)
        ShowMessage(owner, MAKEINTRESOURCEA(IDS_SCRIPTTOOL_SETUP_FAILED), MAKEINTRESOURCEA(IDS_CAP_SCRIPTTOOL),
                    MSG_ERROR, 0);
    return FALSE;
}
