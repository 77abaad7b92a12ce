/* The about box: names the dialer and its provider and lists the versions
 * of Windows, remote access, telephony and the dial-up scripting tool, so
 * that a member with a broken machine can read them off to the help desk. */
#include "dialer/core/app.h"
#include "dialer/dialogs/dialogs.h"
#include "dialer/setup/setup.h"
#include "resource.h"
#include "tovakit.h"

#define VERSIONS_SIZE 1024
#define LINE_SIZE     384

/* Appends the version line of a system library; left out when the
 * library's version cannot be read. */
static void AppendLibraryLine(char *text, UINT format, const char *library)
{
    char line[LINE_SIZE];
    DWORD a = 0, b = 0;
    if (!TkGetSystemLibraryVersion(library, &a, &b))
        return;
    FormatText(line, sizeof(line), format, (int)HIWORD(a), (int)LOWORD(a), (int)b);
    AppendText(text, line, VERSIONS_SIZE);
}

static void AppendWindowsLine(char *text)
{
    char line[LINE_SIZE];
    OSVERSIONINFOA version;
    ZeroMemory(&version, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version))
        return;
    version.szCSDVersion[sizeof(version.szCSDVersion) - 1] = 0;
    /* Windows 9x keeps major and minor in the high word of the build. */
    FormatText(line, sizeof(line), IDS_VER_WINDOWS, (int)version.dwMajorVersion, (int)version.dwMinorVersion,
               (int)LOWORD(version.dwBuildNumber), version.szCSDVersion);
    AppendText(text, line, VERSIONS_SIZE);
}

static BOOL OnAboutInit(HWND dialog)
{
    char text[VERSIONS_SIZE], line[LINE_SIZE];

    text[0] = 0;
    AppendWindowsLine(text);
    AppendLibraryLine(text, IDS_VER_RAS, "RASAPI32.DLL");
    AppendLibraryLine(text, IDS_VER_TAPI, "TAPI32.DLL");
    FormatText(line, sizeof(line), IDS_VER_SCRIPTTOOL, (int)HIWORD(ScriptToolVersion[0]),
               (int)LOWORD(ScriptToolVersion[0]));
    AppendText(text, line, sizeof(text));
    SetDlgItemTextA(dialog, IDC_ABOUT_VERSIONS, text);
    return TRUE;
}

static INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        return OnAboutInit(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam) == IDOK ? 1 : 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

BOOL ShowAboutBox(HWND owner)
{
    return DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0) != -1;
}
