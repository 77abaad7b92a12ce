/* Version queries from version resources, and starting programs. */
#include "tovakit.h"
#include "profile.h"

static BOOL StartProcess(const char *commandLine, HANDLE *process)
{
    STARTUPINFOA startup;
    PROCESS_INFORMATION info;
    char line[1024];
    if (!commandLine || !commandLine[0])
        return FALSE;
    SimCopy(line, commandLine, sizeof(line));
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    if (!CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info))
        return FALSE;
    CloseHandle(info.hThread);
    if (process)
        *process = info.hProcess;
    else
        CloseHandle(info.hProcess);
    return TRUE;
}

BOOL WINAPI TkRunAndWait(const char *commandLine, DWORD wait)
{
    HANDLE process;
    if (!StartProcess(commandLine, &process))
        return FALSE;
    if (wait)
        WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    return TRUE;
}

BOOL WINAPI TkStartProgram(const char *commandLine)
{
    return StartProcess(commandLine, NULL);
}

/* Loads a file's version resource; the caller frees the block. */
static BYTE *LoadVersionInfo(const char *path)
{
    DWORD handle = 0, size;
    BYTE *info;
    if (!path)
        return NULL;
    size = GetFileVersionInfoSizeA(path, &handle);
    if (!size)
        return NULL;
    info = (BYTE *)LocalAlloc(LPTR, size);
    if (info && !GetFileVersionInfoA(path, 0, size, info)) {
        LocalFree(info);
        info = NULL;
    }
    return info;
}

static BOOL FixedVersion(const char *path, VS_FIXEDFILEINFO *out)
{
    BYTE *info = LoadVersionInfo(path);
    VS_FIXEDFILEINFO *fixed = NULL;
    UINT len = 0;
    BOOL ok;
    char root[] = "\\";
    if (!info)
        return FALSE;
    ok = VerQueryValueA(info, root, (void **)&fixed, &len) && fixed && len >= sizeof(*fixed);
    if (ok)
        *out = *fixed;
    LocalFree(info);
    return ok;
}

BOOL WINAPI TkGetFileVersion(const char *path, DWORD *a, DWORD *b)
{
    VS_FIXEDFILEINFO fixed;
    if (!FixedVersion(path, &fixed))
        return FALSE;
    if (a)
        *a = fixed.dwFileVersionMS;
    if (b)
        *b = fixed.dwFileVersionLS;
    return TRUE;
}

BOOL WINAPI TkGetVersionString(const char *path, const char *key, char *buf, DWORD size)
{
    BYTE *info;
    WORD *translation = NULL;
    char *value = NULL, query[128];
    UINT len = 0;
    BOOL ok = FALSE;
    char translationKey[] = "\\VarFileInfo\\Translation";

    if (!buf || !size || !key)
        return FALSE;
    buf[0] = 0;
    info = LoadVersionInfo(path);
    if (!info)
        return FALSE;
    if (VerQueryValueA(info, translationKey, (void **)&translation, &len) && len >= 4) {
        wsprintfA(query, "\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
        if (lstrlenA(query) + lstrlenA(key) < (int)sizeof(query)) {
            lstrcatA(query, key);
            if (VerQueryValueA(info, query, (void **)&value, &len) && value) {
                SimCopy(buf, value, size);
                ok = TRUE;
            }
        }
    }
    LocalFree(info);
    return ok;
}

BOOL WINAPI TkGetSystemLibraryVersion(const char *file, DWORD *a, DWORD *b)
{
    char path[MAX_PATH];
    VS_FIXEDFILEINFO fixed;
    UINT len = GetSystemDirectoryA(path, sizeof(path));
    if (!file || len == 0 || len + 2 + lstrlenA(file) >= sizeof(path))
        return FALSE;
    lstrcatA(path, "\\");
    lstrcatA(path, file);
    if (!FixedVersion(path, &fixed))
        return FALSE;
    if (a)
        *a = (HIWORD(fixed.dwFileVersionMS) << 16) | LOWORD(fixed.dwFileVersionMS);
    if (b)
        *b = HIWORD(fixed.dwFileVersionLS);
    return TRUE;
}
