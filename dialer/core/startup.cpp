/* The dialer's run from start to exit: options, single instance, settings,
 * service data, the login window and its message loop. */
#include <windows.h>
#include <commctrl.h>
#include "dialer/core/app.h"
#include "shared/dialogs.h"
#include "dialer/connect/connect.h"
#include "dialer/login/login.h"
#include "dialer/login/loginparts.h"
#include "dialer/servicedata/servicedata.h"
#include "dialer/setup/setup.h"
#include "dialer/web/web.h"
#include "tovakit.h"

static void QueryOsVersion(void)
{
    ZeroMemory(&OsVersion, sizeof(OsVersion));
    OsVersion.dwOSVersionInfoSize = sizeof(OsVersion);
    if (!GetVersionExA(&OsVersion))
        ZeroMemory(&OsVersion, sizeof(OsVersion));
}

static void ApplyOptions(const char *commandLine)
{
    ReadOptions(commandLine);
    if (DebugMode)
        MessageBoxA(NULL, "DEBUG ON", "DEBUG", MB_OK | MB_TOPMOST);
    if (SetupMode != SETUP_NONE) {
        if (IsWindows98())
            CopyCatalogFiles();
        RegisterSetupResume("-final");
    }
}

/* Another dialer runs already: bring its window forward and give way. */
static void ActivateFirstInstance(void)
{
    char caption[TITLE_SIZE];
    caption[0] = 0;
    TkGetWindowCaption(caption);
    caption[sizeof(caption) - 1] = 0;
    ActivateWindowByCaption(caption);
}

static BOOL TakeInstanceMutex(void)
{
    char key[PRODUCT_KEY_SIZE], name[PRODUCT_KEY_SIZE + 16];
    key[0] = 0;
    TkGetProductKey(key);
    key[sizeof(key) - 1] = 0;
    CopyText(name, key, sizeof(name));
    AppendText(name, "_dupMutex", sizeof(name));
    InstanceMutex = CreateMutexA(NULL, TRUE, name);
    if (!InstanceMutex || GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;
    return TRUE;
}

static void ReleaseInstanceMutex(void)
{
    if (!InstanceMutex)
        return;
    ReleaseMutex(InstanceMutex);
    CloseHandle(InstanceMutex);
    InstanceMutex = NULL;
}

static void SetExecutableDirectory(void)
{
    char path[PATH_SIZE];
    int len = GetModuleFileNameA(NULL, path, sizeof(path));
    char *cut = NULL, *p;

    path[sizeof(path) - 1] = 0;
    if (len <= 0 || len >= (int)sizeof(path))
        path[0] = 0;
    for (p = path; *p; p = CharNextA(p))
        if (*p == '\\')
            cut = p;
    if (cut)
        cut[1] = 0;
    else
        path[0] = 0;
    CopyText(ProgramDirectory, path, sizeof(ProgramDirectory));
    CopyText(WorkDirectory, path, sizeof(WorkDirectory));
}

static void PrepareSettings(void)
{
    if (!SettingsRootExists(TRUE, ProductKey))
        InitMachineSettings();
    if (!SettingsRootExists(FALSE, ProductKey))
        InitUserSettings();
    KeepSourcePath();
    LoadMachineSettings();
    ImportServiceData();
    JoinPath(ProgramDirectory, "tovalink.hlp", HelpFilePath);
}

static int RunMessageLoop(void)
{
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, NULL, 0, 0)) != 0) {
        if (got == -1)
            break;
        if (LoginWindow && IsLoginMenuKey(&msg)) {
            SendMessageA(LoginWindow, WM_CONTEXTMENU, (WPARAM)LoginWindow, (LPARAM)-1);
            continue;
        }
        if (LoginWindow && IsDialogMessageA(LoginWindow, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return got == -1 ? 0 : (int)msg.wParam;
}

int RunDialer(HINSTANCE instance, const char *commandLine, int showCommand)
{
    char key[PRODUCT_KEY_SIZE];
    HWND window;
    int code;

    AppInstance = instance;
    QueryOsVersion();
    key[0] = 0;
    TkGetProductKey(key);
    key[sizeof(key) - 1] = 0;
    SetSettingsProduct(key);
    ApplyOptions(commandLine);

    if (!TakeInstanceMutex()) {
        ActivateFirstInstance();
        return 0;
    }
    SetExecutableDirectory();
    PrepareSettings();
    InitCommonControls();

    window = CreateLoginWindow();
    if (!window) {
        ReleaseInstanceMutex();
        return 0;
    }
    ShowWindow(window, showCommand);
    if (ConnectionHandle)
        ShowWindow(window, SW_MINIMIZE);
    UpdateWindow(window);

    code = RunMessageLoop();
    ShutdownBrowserClient();
    ReleaseInstanceMutex();
    return code;
}
