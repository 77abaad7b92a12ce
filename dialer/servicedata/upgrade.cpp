/* Starting the maker's upgrade program from the login window. A new version
 * of that program may be waiting next to it under the extension "NEW": it is
 * swapped into place first, and the program it replaces is kept under "OLD",
 * so that the upgrade always runs its newest self. */
#include "dialer/core/app.h"
#include "dialer/servicedata/upgrade.h"
#include "resources/dialer/resource.h"
#include "shared/message.h"
#include "shared/settings.h"
#include "tovakit/tovakit.h"

/* Where the extension of the file name in path starts (its '.'), or NULL
 * when the file name has none. Only the last component counts: a '.' in a
 * folder name is not an extension, and cutting there would name files
 * beside the folder instead of beside the program. */
static char *FindExtension(char *path)
{
    char *name = path, *dot = NULL, *at;
    for (at = path; *at; at = CharNextA(at))
        if (*at == '\\' || *at == ':')
            name = at + 1;
    for (at = name; *at; at = CharNextA(at))
        if (*at == '.')
            dot = at;
    return dot;
}

/* Puts the "NEW" sibling of program in its place and keeps the program as
 * the "OLD" sibling. Nothing happens unless the "NEW" file can be opened
 * exclusively: a copy still being written or held by another program is
 * left for a later start. */
static void SwapInNewVersion(const char *program)
{
    char newName[PATH_SIZE], oldName[PATH_SIZE];
    char *dot;
    HANDLE file;
    int stem;

    CopyText(newName, program, sizeof(newName));
    dot = FindExtension(newName);
    if (!dot)
        return;
    stem = (int)(dot - newName) + 1;
    if (stem + 4 > PATH_SIZE)
        return;
    lstrcpyA(dot + 1, "NEW");
    CopyText(oldName, newName, sizeof(oldName));
    lstrcpyA(oldName + stem, "OLD");

    file = CreateFileA(newName, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(file);
    DeleteFileA(oldName);
    MoveFileA(program, oldName);
    MoveFileA(newName, program);
}

BOOL LaunchUpgrade(HWND owner)
{
    char name[PATH_SIZE];   /* the library writes at most 64 bytes */
    char program[PATH_SIZE];

    name[0] = 0;
    TkGetUpgradeProgram(name);
    name[sizeof(name) - 1] = 0;
    JoinPath(ProgramDirectory, name, program);
    SwapInNewVersion(program);
    if (TkStartProgram(program))
        return TRUE;
    ShowMessage(owner, MAKEINTRESOURCEA(IDS_RUN_FAILED), MAKEINTRESOURCEA(IDS_CAP_ERROR), MSG_ERROR, 0);
    return FALSE;
}
