/* Starting programs (ordinals 200, 201) and version queries from version
 * resources (301, 302, 311). These are the machine's real answers, not the
 * simulator's: the version API of version.dll and CreateProcessA. A test
 * may still record every start ("StartLog"), answer starts without running
 * anything ("StartPrograms"), and give system libraries a version for 311
 * ("LibraryVersions") or none ("MissingVersions"). */
#include "tovakit.h"
#include "profile.h"

#define COMMAND_SIZE 1024

static BOOL StartProcess(const char *commandLine, HANDLE *process)
{
    STARTUPINFOA startup;
    PROCESS_INFORMATION info;
    char line[COMMAND_SIZE];
    if (!commandLine || !commandLine[0] || lstrlenA(commandLine) >= COMMAND_SIZE)
        return FALSE;
    SimCopy(line, commandLine, sizeof(line));   /* CreateProcessA may write into it */
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

/* Appends "<ordinal> <command line>" to the profile's "StartLog" file. */
void SimLogStart(const char *ordinal, const char *commandLine)
{
    char path[MAX_PATH], line[COMMAND_SIZE + 16];
    HANDLE file;
    DWORD written;
    SimText("StartLog", "", path, sizeof(path));
    if (!path[0])
        return;
    SimCopy(line, ordinal, sizeof(line));
    if (commandLine) {
        SimAppend(line, " ", sizeof(line));
        SimAppend(line, commandLine, sizeof(line));
    }
    SimAppend(line, "\r\n", sizeof(line));
    file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    WriteFile(file, line, lstrlenA(line), &written, NULL);
    CloseHandle(file);
}

/* "StartPrograms": 2 (default) starts for real, 1 answers started without
 * running anything, 0 answers that the program could not be started. */
static DWORD StartMode(void)
{
    return SimNumber("StartPrograms", 2);
}

BOOL WINAPI TkRunAndWait(const char *commandLine, DWORD wait)
{
    HANDLE process;
    SimLogStart("200", commandLine);
    if (StartMode() < 2)
        return StartMode() != 0;
    if (!StartProcess(commandLine, &process))
        return FALSE;
    if (wait)
        WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
    return TRUE;
}

BOOL WINAPI TkStartProgram(const char *commandLine)
{
    SimLogStart("201", commandLine);
    if (StartMode() < 2)
        return StartMode() != 0;
    return StartProcess(commandLine, NULL);
}

/* Loads a file's version resource; the caller frees the block. */
static BYTE *LoadVersionInfo(const char *path)
{
    DWORD handle = 0, size;
    BYTE *info;
    char name[MAX_PATH];
    if (!path || !path[0] || lstrlenA(path) >= MAX_PATH)
        return NULL;
    SimCopy(name, path, sizeof(name));
    size = GetFileVersionInfoSizeA(name, &handle);
    if (!size)
        return NULL;
    info = (BYTE *)LocalAlloc(LPTR, size);
    if (info && !GetFileVersionInfoA(name, 0, size, info)) {
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
    ok = VerQueryValueA(info, root, (void **)&fixed, &len) && fixed && len >= sizeof(*fixed) &&
         fixed->dwSignature == VS_FFI_SIGNATURE;
    if (ok)
        *out = *fixed;
    LocalFree(info);
    return ok;
}

/* a: major in the high 16 bits, minor (cut to 8 bits) in bits 8-15, so
 * that "%u.%u" of (a >> 16) and bits 8-15 reads as the version "4.7". */
BOOL WINAPI TkGetFileVersion(const char *path, DWORD *a, DWORD *b)
{
    VS_FIXEDFILEINFO fixed;
    if (!FixedVersion(path, &fixed))
        return FALSE;
    if (a)
        *a = (fixed.dwFileVersionMS & 0xFFFF0000) | ((fixed.dwFileVersionMS & 0xFF) << 8);
    if (b)
        *b = fixed.dwFileVersionLS;
    return TRUE;
}

/* Looks the key up in the file's own language first, then in the usual
 * US English and Korean blocks. */
BOOL WINAPI TkGetVersionString(const char *path, const char *key, char *buf, DWORD size)
{
    static const DWORD FALLBACK[] = {0x040904B0, 0x040904E4, 0x041204B0, 0x041203B5};
    BYTE *info;
    WORD *translation = NULL;
    char *value = NULL, query[128];
    char translationKey[] = "\\VarFileInfo\\Translation";
    DWORD blocks[1 + sizeof(FALLBACK) / sizeof(FALLBACK[0])];
    DWORD count = 0, i;
    UINT len = 0;
    BOOL ok = FALSE;

    if (!buf || !size)
        return FALSE;
    buf[0] = 0;
    if (!key || !key[0] || lstrlenA(key) > 64)
        return FALSE;
    info = LoadVersionInfo(path);
    if (!info)
        return FALSE;
    if (VerQueryValueA(info, translationKey, (void **)&translation, &len) && translation && len >= 4)
        blocks[count++] = ((DWORD)translation[0] << 16) | translation[1];
    for (i = 0; i < sizeof(FALLBACK) / sizeof(FALLBACK[0]); i++)
        blocks[count++] = FALLBACK[i];
    for (i = 0; i < count && !ok; i++) {
        wsprintfA(query, "\\StringFileInfo\\%08lX\\%s", (unsigned long)blocks[i], key);
        len = 0;
        value = NULL;
        if (VerQueryValueA(info, query, (void **)&value, &len) && value && len > 0) {
            SimCopy(buf, value, size);
            ok = TRUE;
        }
    }
    LocalFree(info);
    return ok;
}

/* A version the profile's "LibraryVersions" gives a system library, as
 * "NAME=major.minor.third" items; FALSE when it names none for the file. */
static BOOL ProfileLibraryVersion(const char *file, DWORD *a, DWORD *b)
{
    char item[MAX_PATH + 64];
    DWORD i, part, numbers[3];
    const char *p;
    int nameLen = lstrlenA(file);
    for (i = 0; SimListItem("LibraryVersions", "", i, item, sizeof(item)); i++) {
        if (nameLen >= (int)sizeof(item) || item[nameLen] != '=')
            continue;
        item[nameLen] = 0;
        if (lstrcmpiA(item, file) != 0)
            continue;
        p = item + nameLen + 1;
        for (part = 0; part < 3; part++) {
            numbers[part] = 0;
            while (*p >= '0' && *p <= '9')
                numbers[part] = numbers[part] * 10 + (DWORD)(*p++ - '0');
            if (*p == '.')
                p++;
        }
        if (a)
            *a = (numbers[0] << 16) | (numbers[1] & 0xFFFF);
        if (b)
            *b = numbers[2];
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI TkGetSystemLibraryVersion(const char *file, DWORD *a, DWORD *b)
{
    char path[MAX_PATH];
    VS_FIXEDFILEINFO fixed;
    UINT len = GetSystemDirectoryA(path, sizeof(path));
    if (!file || !file[0] || SimListHas("MissingVersions", "", file))
        return FALSE;
    if (ProfileLibraryVersion(file, a, b))
        return TRUE;
    if (len == 0 || len >= sizeof(path))
        return FALSE;
    if (path[len - 1] != '\\' && !SimAppend(path, "\\", sizeof(path)))
        return FALSE;
    if (!SimAppend(path, file, sizeof(path)) || !FixedVersion(path, &fixed))
        return FALSE;
    if (a)
        *a = fixed.dwFileVersionMS;
    if (b)
        *b = HIWORD(fixed.dwFileVersionLS);
    return TRUE;
}
