/* Deleting through the shell, without undo, confirmation or error box: the
 * uninstaller's program folder, and the product's shortcuts in the Start
 * menu and on the desktop. */
#ifndef TOVA_SHELLDELETE_H
#define TOVA_SHELLDELETE_H

#include <windows.h>

/* Deletes the file or the folder with everything in it (path at most 259
 * characters); 1 when the shell reported success. */
BOOL ShellDelete(HWND owner, const char *path);

/* Deletes folder\fileName (folder a CSIDL_ value) and tells the shell; 1
 * when the file was deleted. */
BOOL DeleteFromSpecialFolder(HWND owner, int folder, const char *fileName);

#endif
