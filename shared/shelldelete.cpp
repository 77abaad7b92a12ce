/* Deleting through the shell's file operation. It takes a list of names
 * ended by two zeros, so the path is copied into a zero-filled buffer one
 * byte longer than any path: however long the name, the second terminator
 * is always there. */
#include <windows.h>
#include <shlobj.h>
#include <shellapi.h>
#include "shared/shelldelete.h"
#include "shared/settings.h"

#define FOLDER_PATH_SIZE 260

/* Gives the item-id list back to the shell's allocator. */
static void FreeItemList(LPITEMIDLIST list)
{
    IMalloc *allocator = NULL;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(list);
        allocator->Release();
    }
}

/* The folder's file-system path; FALSE when it has none. */
static BOOL GetSpecialFolderPath(HWND owner, int folder, char *path)
{
    LPITEMIDLIST list = NULL;
    BOOL ok;

    if (FAILED(SHGetSpecialFolderLocation(owner, folder, &list)) || !list)
        return FALSE;
    ok = SHGetPathFromIDListA(list, path);
    FreeItemList(list);
    return ok && path[0] != 0;
}

BOOL ShellDelete(HWND owner, const char *path)
{
    /* One byte beyond the longest path keeps the list's second zero. */
    char list[FOLDER_PATH_SIZE + 1];
    SHFILEOPSTRUCTA operation;

    ZeroMemory(list, sizeof(list));
    CopyText(list, path, FOLDER_PATH_SIZE);
    ZeroMemory(&operation, sizeof(operation));
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = list;
    operation.pTo = NULL;
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    return SHFileOperationA(&operation) == 0;
}

BOOL DeleteFromSpecialFolder(HWND owner, int folder, const char *fileName)
{
    char path[FOLDER_PATH_SIZE];

    if (!fileName || !fileName[0] || !GetSpecialFolderPath(owner, folder, path))
        return FALSE;
    /* A name cut to fit would delete some other file of the folder. */
    if (lstrlenA(path) + 1 + lstrlenA(fileName) >= (int)sizeof(path))
        return FALSE;
    AppendText(path, "\\", sizeof(path));
    AppendText(path, fileName, sizeof(path));
    if (!ShellDelete(owner, path))
        return FALSE;
    SHChangeNotify(SHCNE_DELETE, SHCNF_PATH | SHCNF_FLUSH, path, NULL);
    return TRUE;
}
