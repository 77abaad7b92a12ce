/* The entry's dial-up script file: the scripting tool runs it while the
 * entry dials. Its text comes from the helper library unchanged and lives
 * next to the program file as "<entry name>.SCP". The login window
 * re-creates it when the entry names a file that cannot be opened. */
#include "dialer/core/app.h"
#include "dialer/connect/script.h"
#include "tovakit.h"

/* Writes count bytes of text to path, always creating the file afresh;
 * TRUE exactly when every byte was written. */
static BOOL WriteWholeFile(const char *path, const char *text, DWORD count)
{
    DWORD written = 0;
    BOOL ok;
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    ok = WriteFile(file, text, count, &written, NULL) && written == count;
    CloseHandle(file);
    return ok;
}

/* The program's own file name with its name part replaced by the entry
 * name and ".SCP"; FALSE when the result would not fit a path. */
static BOOL EntryScriptPath(const char *entryName, char *path)
{
    char module[PATH_SIZE], name[PATH_SIZE];
    char *cut = module, *p;
    DWORD len = GetModuleFileNameA(NULL, module, sizeof(module));

    if (len == 0 || len >= sizeof(module))
        return FALSE;
    module[len] = 0;
    for (p = module; *p; p = CharNextA(p))
        if (*p == '\\')
            cut = p + 1;
    *cut = 0;
    if (lstrlenA(entryName) + 4 >= (int)sizeof(name))
        return FALSE;
    wsprintfA(name, "%s.SCP", entryName);
    if (lstrlenA(module) + lstrlenA(name) >= PATH_SIZE)
        return FALSE;
    lstrcatA(module, name);
    CopyText(path, module, PATH_SIZE);
    return TRUE;
}

BOOL WriteEntryScript(const char *entryName, char *path)
{
    char target[PATH_SIZE];
    DWORD size, count;
    char *text;
    BOOL ok = FALSE;

    if (!entryName || !path)
        return FALSE;
    size = TkGetEntryScript(NULL, 0);
    if (size == 0)
        return FALSE;
    text = (char *)LocalAlloc(LPTR, size);
    if (!text)
        return FALSE;
    count = TkGetEntryScript(text, size);
    if (count > size)
        count = size;
    if (count != 0 && EntryScriptPath(entryName, target))
        ok = WriteWholeFile(target, text, count);
    LocalFree(text);
    if (ok)
        CopyText(path, target, PATH_SIZE);
    return ok;
}

BOOL CheckEntryScript(HWND window, LoginWindowState *state)
{
    RASENTRYA *entry;
    char path[PATH_SIZE];
    HANDLE file;

    (void)window;
    if (!state || !state->EntryBuffer)
        return TRUE;
    entry = (RASENTRYA *)state->EntryBuffer;
    if (!entry->szScript[0])
        return TRUE;
    file = CreateFileA(entry->szScript, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
        return TRUE;
    }
    if (!WriteEntryScript(state->EntryName, path))
        return FALSE;
    CopyText(entry->szScript, path, sizeof(entry->szScript));
    state->EntryChanged = TRUE;
    return TRUE;
}
