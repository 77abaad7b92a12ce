/* What the uninstaller removes, in its order: the program folder named by
 * the machine-wide "ProgDir" setting, the product's shortcuts in the Start
 * menu and on the desktop, the dial-up phone-book entry, the per-user and
 * machine-wide settings trees and the installed-programs entry; and the
 * start of the maker's restore utility at the very end. Each step ignores
 * its own failure, so one missing piece never keeps the rest in place. */
#include <windows.h>
#include <shlobj.h>
#include "shared/message.h"
#include "shared/settings.h"
#include "shared/shelldelete.h"
#include "uninstaller/uninstall.h"
#include "resources/uninstaller/resource.h"

#define ITEM_NAME_SIZE 64
#define COMMAND_SIZE   (2 * UN_PATH_SIZE + 32)

static const char UNINSTALL_KEY[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
static const char UNINSTALL_ENTRY[] = "PalvexCard Tovanet";
static const char RESTORE_PROGRAM[] = "\\Restamo.EXE";
static const char RESTORE_OPTION[] = " -perfectdelete ";

typedef DWORD (WINAPI *RasDeleteEntryFn)(LPCSTR phoneBook, LPCSTR entry);

/* Removes one closing backslash; a backslash that is the second byte of a
 * double-byte character is part of that character and stays. */
static void CutClosingBackslash(char *path)
{
    int len = lstrlenA(path);
    char *last;
    if (len == 0)
        return;
    last = CharPrevA(path, path + len);
    if (last == path + len - 1 && *last == '\\')
        *last = 0;
}

void ReadProgramFolder(UninstallState *state)
{
    char productKey[PRODUCT_KEY_SIZE];
    char folder[UN_PATH_SIZE];

    ZeroMemory(state, sizeof(*state));
    LoadText(IDS_UN_PRODUCT_KEY, productKey, sizeof(productKey));
    /* Fixes the settings root for the reads and deletes that follow. */
    SettingsRootExists(TRUE, productKey);
    if (ReadSettingText(TRUE, NULL, SettingName(SET_PROGDIR), folder, sizeof(folder)) != ERROR_SUCCESS)
        return;
    CutClosingBackslash(folder);
    CopyText(state->programFolder, folder, sizeof(state->programFolder));
}

static const char *SkipPathPart(const char *at)
{
    while (*at && *at != '\\')
        at = CharNextA(at);
    return at;
}

static const char *SkipBackslashes(const char *at)
{
    while (*at == '\\')
        at++;
    return at;
}

BOOL IsRootFolder(const char *folder)
{
    const char *at = folder;
    if (folder[0] && folder[1] == ':')
        at = folder + 2;
    else if (folder[0] == '\\' && folder[1] == '\\')
        at = SkipPathPart(SkipBackslashes(SkipPathPart(folder + 2)));
    return *SkipBackslashes(at) == 0;
}

BOOL DeleteProgramFolder(HWND owner, const char *folder)
{
    if (!folder || IsRootFolder(folder))
        return FALSE;
    return ShellDelete(owner, folder);
}

/* The entry in the system's default phone book; the dial-up library is
 * loaded only here, and a system without it has no entry to remove. */
static void DeletePhoneBookEntry(const char *name)
{
    HMODULE library = LoadLibraryA("RASAPI32.DLL");
    RasDeleteEntryFn deleteEntry;
    if (!library)
        return;
    /* Through void *: the exported address has the generic type. */
    deleteEntry = (RasDeleteEntryFn)(void *)GetProcAddress(library, "RasDeleteEntryA");
    if (deleteEntry)
        deleteEntry(NULL, name);
    FreeLibrary(library);
}

BOOL DeleteUninstallEntry(const char *name)
{
    char path[UN_PATH_SIZE];
    CopyText(path, UNINSTALL_KEY, sizeof(path));
    AppendText(path, "\\", sizeof(path));
    AppendText(path, name, sizeof(path));
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path) == ERROR_SUCCESS;
}

void RemoveProductItems(HWND owner)
{
    char name[ITEM_NAME_SIZE];

    ZeroMemory(name, sizeof(name));
    LoadText(IDS_UN_SHORTCUT_FILE, name, sizeof(name));
    DeleteFromSpecialFolder(owner, CSIDL_STARTMENU, name);
    DeleteFromSpecialFolder(owner, CSIDL_DESKTOP, name);

    ZeroMemory(name, sizeof(name));
    LoadText(IDS_UN_ENTRY_NAME, name, sizeof(name));
    DeletePhoneBookEntry(name);

    /* Whole trees: the roots hold sub-keys (update list, phone book,
     * advertisements), which a single-key delete refuses on Windows NT. */
    DeleteSettingsRoot(FALSE);
    DeleteSettingsRoot(TRUE);
    DeleteUninstallEntry(UNINSTALL_ENTRY);
}

void StartFinalCleanup(const char *uninstallerPath)
{
    char program[UN_PATH_SIZE];
    char command[COMMAND_SIZE];
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;
    UINT len;

    len = GetWindowsDirectoryA(program, sizeof(program));
    if (len == 0 || len >= sizeof(program))
        return;
    AppendText(program, RESTORE_PROGRAM, sizeof(program));
    CopyText(command, program, sizeof(command));
    AppendText(command, RESTORE_OPTION, sizeof(command));
    AppendText(command, uninstallerPath, sizeof(command));

    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    if (!CreateProcessA(program, command, NULL, NULL, FALSE, NORMAL_PRIORITY_CLASS, NULL, NULL,
                        &startup, &process))
        return;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
