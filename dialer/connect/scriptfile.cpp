/* The entry's dial-up script file: the scripting tool runs it while the
 * entry dials. Its text comes from the helper library unchanged. */
#include "dialer/core/app.h"
#include "dialer/connect/script.h"
#include "tovakit.h"

BOOL WriteEntryScript(const char *entryName, char *path)
{
    char name[ENTRY_NAME_SIZE + 8];
    DWORD size, written = 0;
    HANDLE file;
    char *text;
    BOOL ok;

    wsprintfA(name, "%s.SCP", entryName);
    JoinPath(ProgramDirectory, name, path);
    size = TkGetEntryScript(NULL, 0);
    if (size == 0)
        return FALSE;
    text = (char *)LocalAlloc(LPTR, size);
    if (!text)
        return FALSE;
    size = TkGetEntryScript(text, size);
    file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        LocalFree(text);
        return FALSE;
    }
    ok = WriteFile(file, text, size, &written, NULL) && written == size;
    CloseHandle(file);
    LocalFree(text);
    return ok;
}
