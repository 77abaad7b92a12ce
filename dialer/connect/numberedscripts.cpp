/* The numbered dial-up script files. The helper library supplies each
 * script's text, file name and version; start-up checks every file named
 * in the machine-wide "Script" key against the version stored there and
 * rewrites the ones that are missing, unreadable or older. A file that a
 * newer script replaced by hand keeps its text and raises the stored
 * version instead. */
#include <string.h>
#include "dialer/core/app.h"
#include "dialer/connect/connect.h"
#include "dialer/connect/script.h"
#include "dialer/connect/tokens.h"
#include "tovakit.h"

#define VERSION_TOKEN_SIZE 32   /* a version token: at most 31 characters */
#define VALUE_NAME_SIZE    32

static const char VERSION_MARK[] = "VERSION";

BOOL ScriptVersionOf(const char *head, DWORD *version)
{
    char line[SCRIPT_HEAD_SIZE + 1], token[VERSION_TOKEN_SIZE];
    const char *found;
    char *p;

    if (version)
        *version = 0;
    if (!head)
        return FALSE;
    found = strstr(head, VERSION_MARK);
    if (!found)
        return FALSE;
    CopyText(line, SkipSpaces(found + sizeof(VERSION_MARK) - 1), sizeof(line));
    for (p = line; *p; p++)
        if (*p == '\r' || *p == '\n') {
            *p = 0;
            break;
        }
    /* An overlong first token is cut to its first 31 characters. */
    if (TokenLength(line) >= VERSION_TOKEN_SIZE)
        line[VERSION_TOKEN_SIZE - 1] = 0;
    CopyToken(line, token, sizeof(token));
    if (version)
        *version = PackVersion(token);
    return TRUE;
}

BOOL WriteNumberedScript(DWORD index, const char *path, DWORD *version)
{
    DWORD size, count, written = 0, got = 0;
    HANDLE file;
    char *text;
    BOOL ok = FALSE;

    if (version)
        *version = 0;
    size = TkGetScript(index, NULL, 0, &got);
    if (size == 0)
        return FALSE;
    text = (char *)LocalAlloc(LPTR, size);
    if (!text)
        return FALSE;
    count = TkGetScript(index, text, size, &got);
    if (count > size)
        count = size;
    if (count != 0) {
        file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            ok = WriteFile(file, text, count, &written, NULL) && written == count;
            CloseHandle(file);
        }
    }
    LocalFree(text);
    if (ok && version)
        *version = got;
    return ok;
}

/* The version line of the file at path; FALSE when the file cannot be
 * read or has no version line in its first bytes. */
static BOOL FileScriptVersion(const char *path, DWORD *version)
{
    char head[SCRIPT_HEAD_SIZE + 1];
    DWORD got = 0;
    BOOL read;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    read = ReadFile(file, head, SCRIPT_HEAD_SIZE, &got, NULL);
    CloseHandle(file);
    if (!read || got > SCRIPT_HEAD_SIZE)
        return FALSE;
    head[got] = 0;
    return ScriptVersionOf(head, version);
}

/* Checks a script against its stored file and version; TRUE when the
 * file may stay (the stored version raised to the file's when it is
 * newer), FALSE when it must be written again. */
static BOOL KeepScript(const char *fileName, const char *versionName)
{
    const char *script = SettingName(SET_SCRIPT);
    char path[PATH_SIZE];
    DWORD stored = 0, found = 0;

    if (ReadSettingText(TRUE, script, fileName, path, sizeof(path)) != 0 ||
        ReadSettingNumber(TRUE, script, versionName, &stored) != 0)
        return FALSE;
    if (!FileScriptVersion(path, &found))
        return FALSE;
    if (found < stored)
        return FALSE;
    if (found > stored)
        WriteSettingNumber(TRUE, script, versionName, found);
    return TRUE;
}

static void RegenerateScript(DWORD index, const char *fileName, const char *versionName)
{
    const char *script = SettingName(SET_SCRIPT);
    char name[SCRIPT_NAME_SIZE], path[PATH_SIZE];
    DWORD version = 0;

    ZeroMemory(name, sizeof(name));
    TkGetScriptFileName(index, name);
    name[sizeof(name) - 1] = 0;
    JoinPath(ProgramDirectory, name, path);
    if (name[0] && WriteNumberedScript(index, path, &version)) {
        WriteSettingText(TRUE, script, fileName, path);
        WriteSettingNumber(TRUE, script, versionName, version);
        return;
    }
    DeleteSetting(TRUE, script, fileName);
    DeleteSetting(TRUE, script, versionName);
}

void UpdateNumberedScripts(void)
{
    DWORD count = TkGetScriptCount() & 0xFFFF;
    DWORD i;

    for (i = 0; i < count; i++) {
        char fileName[VALUE_NAME_SIZE], versionName[VALUE_NAME_SIZE];
        wsprintfA(fileName, "%s%d", SettingName(SET_FILE), (int)i);
        wsprintfA(versionName, "%s%d", SettingName(SET_VERSION), (int)i);
        if (!KeepScript(fileName, versionName))
            RegenerateScript(i, fileName, versionName);
    }
}
