/* Browser detection. The browsers are found where they register
 * themselves: Netscape under its own keys (one sub-key per Communicator
 * version, the member's Navigator under the current user), Internet
 * Explorer under the system's application paths, and the default browser
 * through the command of the .html class. The version texts come from the
 * programs' version resources through the helper library. Paths are handed
 * out in their long form, as the member knows them. */
#include <string.h>
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/core/paths.h"
#include "dialer/connect/tokens.h"
#include "dialer/web/browser.h"
#include "tovakit.h"

#define NETSCAPE_KEY   "Software\\Netscape\\Netscape Navigator"
#define EXPLORER_KEY   "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE"
#define SUBKEY_SIZE    32      /* names of the Netscape version sub-keys */
#define CLASS_SIZE     32      /* the .html class name */
#define COMMAND_SIZE   324     /* a class's open command */
#define NAME_WORK_SIZE 1025    /* wsprintf writes at most 1024 characters */

/* Reads a REG_SZ value (the default value for a null name) that is not
 * empty and fits size bytes with its terminator. Any other value, another
 * type, or a missing key or value reads as absent. */
static BOOL ReadKeyText(HKEY root, const char *path, const char *name, char *buffer, DWORD size)
{
    HKEY key;
    DWORD type = 0, got = size;
    LONG rc;

    buffer[0] = 0;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return FALSE;
    rc = RegQueryValueExA(key, name, NULL, &type, (BYTE *)buffer, &got);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || type != REG_SZ || got == 0) {
        buffer[0] = 0;
        return FALSE;
    }
    if (buffer[got - 1] != 0) {
        if (got >= size) {
            buffer[0] = 0;
            return FALSE;
        }
        buffer[got] = 0;
    }
    return buffer[0] != 0;
}

static BOOL FileExists(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    return attributes != 0xFFFFFFFF && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

static void EmptyOutputs(char *name, char *path)
{
    if (name)
        name[0] = 0;
    if (path)
        path[0] = 0;
}

/* Fills the outputs: the display name from format and its two texts, the
 * path in its long form. */
static void GiveBrowser(char *name, char *path, const char *program, const char *format,
                        const char *first, const char *second)
{
    if (name) {
        char text[NAME_WORK_SIZE];
        wsprintfA(text, format, first, second);
        CopyText(name, text, BROWSER_NAME_SIZE);
    }
    if (path)
        ToLongPath(program, path, PATH_SIZE);
}

static void ReadVersionText(const char *program, const char *key, char *text)
{
    text[0] = 0;
    if (!TkGetVersionString(program, key, text, BROWSER_VERSION_SIZE))
        text[0] = 0;
    text[BROWSER_VERSION_SIZE - 1] = 0;
}

/* An installation under the Netscape key counts when its program exists
 * and, if the program has a file version, the sub-key's name carries it. */
static BOOL CommunicatorProgram(HKEY netscape, const char *subKey, char *program)
{
    char mainKey[SUBKEY_SIZE + 8], directory[PATH_SIZE], version[BROWSER_VERSION_SIZE];
    DWORD a = 0, b = 0;

    CopyText(mainKey, subKey, sizeof(mainKey));
    AppendText(mainKey, "\\Main", sizeof(mainKey));
    if (!ReadKeyText(netscape, mainKey, "Install Directory", directory, sizeof(directory)))
        return FALSE;
    JoinPath(directory, "Program\\netscape.exe", program);
    if (!FileExists(program))
        return FALSE;
    if (!TkGetFileVersion(program, &a, &b))
        return TRUE;
    wsprintfA(version, "%u.%u", (unsigned)(a >> 16), (unsigned)((a >> 8) & 0xFF));
    return strstr(subKey, version) != NULL;
}

int FindCommunicator(int n, char *name, char *path)
{
    char subKey[SUBKEY_SIZE], program[PATH_SIZE];
    HKEY netscape;
    DWORD index;
    int result = -2;

    EmptyOutputs(name, path);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, NETSCAPE_KEY, 0, KEY_READ, &netscape) != ERROR_SUCCESS)
        return -1;
    for (index = 0;; index++) {
        DWORD len = sizeof(subKey);
        FILETIME written;
        if (RegEnumKeyExA(netscape, index, subKey, &len, NULL, NULL, NULL, &written) != ERROR_SUCCESS)
            break;
        subKey[sizeof(subKey) - 1] = 0;
        if (subKey[0] < '0' || subKey[0] > '9')
            continue;
        if (!CommunicatorProgram(netscape, subKey, program))
            continue;
        if (n > 0) {
            n--;
            continue;
        }
        GiveBrowser(name, path, program, "Netscape Communicator %s", subKey, "");
        result = 0;
        break;
    }
    RegCloseKey(netscape);
    return result;
}

int FindNavigator(char *name, char *path)
{
    char directory[PATH_SIZE], program[PATH_SIZE], version[BROWSER_VERSION_SIZE];

    EmptyOutputs(name, path);
    if (!ReadKeyText(HKEY_CURRENT_USER, NETSCAPE_KEY "\\Main", "Install Directory", directory,
                     sizeof(directory)))
        return -1;
    JoinPath(directory, "NETSCAPE.EXE", program);
    if (!FileExists(program))
        return -1;
    ReadVersionText(program, "ProductVersion", version);
    if ((BYTE)version[0] >= '4')
        return -2;
    GiveBrowser(name, path, program, "Netscape Navigator %s", version, "");
    return 0;
}

int FindInternetExplorer(char *name, char *path)
{
    char program[PATH_SIZE], version[BROWSER_VERSION_SIZE];

    EmptyOutputs(name, path);
    if (!ReadKeyText(HKEY_LOCAL_MACHINE, EXPLORER_KEY, NULL, program, sizeof(program)) ||
        !FileExists(program))
        return -1;
    ReadVersionText(program, "ProductVersion", version);
    GiveBrowser(name, path, program, "Internet Explorer %s", version, "");
    return 0;
}

int FindDefaultBrowser(char *name, char *path)
{
    char htmlClass[CLASS_SIZE], commandKey[CLASS_SIZE + 32], command[COMMAND_SIZE];
    char program[COMMAND_SIZE], version[BROWSER_VERSION_SIZE], internal[BROWSER_VERSION_SIZE];
    int type;

    EmptyOutputs(name, path);
    if (!ReadKeyText(HKEY_CLASSES_ROOT, ".html", NULL, htmlClass, sizeof(htmlClass)))
        return -1;
    wsprintfA(commandKey, "%s\\shell\\open\\command", htmlClass);
    if (!ReadKeyText(HKEY_CLASSES_ROOT, commandKey, NULL, command, sizeof(command)))
        return -1;
    CopyQuotedToken(command, program, sizeof(program));
    if (lstrlenA(program) >= PATH_SIZE || !FileExists(program))
        return -1;
    ReadVersionText(program, "ProductVersion", version);
    if (!TkGetVersionString(program, "InternalName", internal, sizeof(internal)))
        return BROWSER_UNKNOWN;
    internal[sizeof(internal) - 1] = 0;
    if (lstrcmpiA(internal, "NETSCAPE") == 0) {
        GiveBrowser(name, path, program,
                    (BYTE)version[0] < '4' ? "Netscape Navigator %s" : "Netscape Communicator %s", version,
                    "");
        type = BROWSER_NAVIGATOR;
    } else if (lstrcmpiA(internal, "iexplore") == 0) {
        GiveBrowser(name, path, program, "Internet Explorer %s", version, "");
        type = BROWSER_EXPLORER;
    } else {
        GiveBrowser(name, path, program, "%s %s", internal, version);
        type = BROWSER_OTHER;
    }
    return type;
}
