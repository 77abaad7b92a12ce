/* The dialer's shortcut on the member's desktop, made the first time the
 * dialer runs for a user: a shell link to the running program, saved through
 * the shell's link object into the desktop folder named under
 * "Shell Folders". Every failure is silent; the dialer works without it. */
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include "dialer/core/app.h"
#include "dialer/setup/setup.h"
#include "tovakit.h"

#define SHORTCUT_FILE_SIZE 48
#define SHORTCUT_DESC_SIZE 128

static const char SHELL_FOLDERS_KEY[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

/* The desktop folder as the shell records it; FALSE when there is none. */
static BOOL ReadDesktopFolder(char *folder, DWORD size)
{
    HKEY key;
    LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY, 0, KEY_QUERY_VALUE, &key);
    if (rc != ERROR_SUCCESS)
        return FALSE;
    rc = QuerySettingText(key, "Desktop", folder, size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && folder[0] != 0;
}

/* Fills the link object and writes it to linkPath, replacing a file of
 * that name. */
static void WriteLink(IShellLinkA *link, const char *linkPath, const char *target,
                      const char *description)
{
    IPersistFile *file = NULL;
    WCHAR widePath[PATH_SIZE];

    if (FAILED(link->SetPath(target)) || FAILED(link->SetDescription(description)))
        return;
    if (FAILED(link->QueryInterface(IID_IPersistFile, (void **)&file)) || !file)
        return;
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, PATH_SIZE) > 0)
        file->Save(widePath, TRUE);
    file->Release();
}

void SaveShortcut(const char *fileName, const char *target, const char *description)
{
    char linkPath[PATH_SIZE];
    IShellLinkA *link = NULL;
    HRESULT init;

    if (!ReadDesktopFolder(linkPath, sizeof(linkPath)))
        return;
    /* A cut name would leave a stray file: no shortcut instead. */
    if (lstrlenA(linkPath) + 1 + lstrlenA(fileName) >= PATH_SIZE)
        return;
    /* The shell records the folder without a closing backslash. */
    AppendText(linkPath, "\\", sizeof(linkPath));
    AppendText(linkPath, fileName, sizeof(linkPath));

    /* Only a successful initialisation is undone: a thread whose COM is
     * already set up another way keeps it. */
    init = CoInitialize(NULL);
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void **)&link)) && link) {
        WriteLink(link, linkPath, target, description);
        link->Release();
    }
    if (SUCCEEDED(init))
        CoUninitialize();
}

BOOL CreateDesktopShortcut(void)
{
    char target[PATH_SIZE];
    char fileName[SHORTCUT_FILE_SIZE];
    char description[SHORTCUT_DESC_SIZE];
    DWORD len;

    len = GetModuleFileNameA(NULL, target, sizeof(target));
    if (len == 0 || len >= sizeof(target))
        target[0] = 0;
    target[sizeof(target) - 1] = 0;
    fileName[0] = 0;
    description[0] = 0;
    TkGetShortcutFile(fileName);
    TkGetShortcutDesc(description);
    fileName[sizeof(fileName) - 1] = 0;
    description[sizeof(description) - 1] = 0;
    SaveShortcut(fileName, target, description);
    return TRUE;
}
