/* Starting the browser and the mail program as new processes: the command
 * lines built from the chosen browser or the system's "mailto" command, and
 * the process starts themselves. */
#include "dialer/core/current.h"
#include "dialer/web/browser.h"
#include "dialer/web/web.h"
#include "shared/settings.h"

#define MAILTO_COMMAND_SIZE 324

static BOOL HasSpace(const char *text)
{
    for (; *text; text++)
        if (*text == ' ')
            return TRUE;
    return FALSE;
}

/* out = program, in double quotes when it contains a space. */
static BOOL PutProgram(const char *program, char *out, int size)
{
    int length = lstrlenA(program);
    BOOL quote = HasSpace(program);
    if (length + (quote ? 2 : 0) >= size)
        return FALSE;
    out[0] = 0;
    if (quote)
        AppendText(out, "\"", size);
    AppendText(out, program, size);
    if (quote)
        AppendText(out, "\"", size);
    return TRUE;
}

static BOOL Append(char *out, const char *text, int size)
{
    if (lstrlenA(out) + lstrlenA(text) >= size)
        return FALSE;
    AppendText(out, text, size);
    return TRUE;
}

BOOL BuildBrowserCommand(const char *path, WORD type, const char *url, char *out, int size)
{
    if (!out || size <= 0)
        return FALSE;
    out[0] = 0;
    if (!path || !path[0] || !PutProgram(path, out, size))
        return FALSE;
    if (url) {
        if (!Append(out, " ", size) || !Append(out, url, size)) {
            out[0] = 0;
            return FALSE;
        }
    } else if (type == BROWSER_NAVIGATOR || type == BROWSER_COMMUNICATOR) {
        /* Netscape and Explorer each know an option that skips the home page. */
        Append(out, " -h", size);
    } else if (type == BROWSER_EXPLORER) {
        Append(out, " -nohome", size);
    }
    return TRUE;
}

BOOL BuildMailCommand(const char *mailtoCommand, char *out, int size)
{
    char program[MAILTO_COMMAND_SIZE];
    const char *p = mailtoCommand, *name, *end;
    int length;

    if (!out || size <= 0)
        return FALSE;
    out[0] = 0;
    if (!p || !p[0])
        return FALSE;
    /* The program is the leading quoted part (to the end when the closing
       quote is missing) or the text up to the first space; the arguments
       and any placeholder are dropped. */
    if (*p == '"') {
        p++;
        for (end = p; *end && *end != '"'; end++)
            ;
    } else {
        for (end = p; *end && *end != ' '; end++)
            ;
    }
    length = (int)(end - p);
    if (length <= 0 || length >= (int)sizeof(program))
        return FALSE;
    CopyMemory(program, p, length);
    program[length] = 0;
    if (!PutProgram(program, out, size))
        return FALSE;
    /* Netscape's browser opens its mail window with "-mail"; a program
       named without a directory gets nothing. */
    name = NULL;
    for (p = program; *p; p = CharNextA(p))
        if (*p == '\\')
            name = p + 1;
    if (name && lstrcmpiA(name, "netscape.exe") == 0 && !Append(out, " -mail", size)) {
        out[0] = 0;
        return FALSE;
    }
    return TRUE;
}

static BOOL CreateShownProcess(char *command, PROCESS_INFORMATION *info)
{
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    ZeroMemory(info, sizeof(*info));
    return CreateProcessA(NULL, command, NULL, NULL, FALSE, NORMAL_PRIORITY_CLASS, NULL, NULL, &startup, info);
}

BOOL StartBrowser(const char *url)
{
    char command[WEB_COMMAND_SIZE];
    PROCESS_INFORMATION info;

    if (Current.BrowserType == BROWSER_NONE || !Current.BrowserPath[0])
        return FALSE;
    if (!BuildBrowserCommand(Current.BrowserPath, Current.BrowserType, url, command, sizeof(command)))
        return FALSE;
    if (!CreateShownProcess(command, &info))
        return FALSE;
    CloseHandle(info.hThread);
    WaitForInputIdle(info.hProcess, WEB_READY_TIMEOUT);
    CloseHandle(info.hProcess);
    return TRUE;
}

/* The default value of HKEY_CLASSES_ROOT "mailto\shell\open\command";
 * 1 when it is a text that is not empty. */
static BOOL ReadMailtoCommand(char *command, DWORD size)
{
    HKEY key;
    DWORD type = 0, length = size;
    LONG rc;

    command[0] = 0;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return FALSE;
    rc = RegQueryValueExA(key, NULL, NULL, &type, (BYTE *)command, &length);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ) {
        command[0] = 0;
        return FALSE;
    }
    command[size - 1] = 0;
    return command[0] != 0;
}

BOOL StartMailProgram(void)
{
    char mailto[MAILTO_COMMAND_SIZE], command[WEB_COMMAND_SIZE];
    PROCESS_INFORMATION info;

    if (!ReadMailtoCommand(mailto, sizeof(mailto)))
        return FALSE;
    if (!BuildMailCommand(mailto, command, sizeof(command)))
        return FALSE;
    if (!CreateShownProcess(command, &info))
        return FALSE;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return TRUE;
}
