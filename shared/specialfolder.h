/* Removing a file from one of the shell's special folders (the Start menu,
 * the desktop): used by the uninstaller to take away the product's
 * shortcuts. */
#ifndef TOVA_SPECIALFOLDER_H
#define TOVA_SPECIALFOLDER_H

#include <windows.h>

/* Deletes folder\fileName (folder a CSIDL_ value) without undo, confirmation
 * or error box, and tells the shell; 1 when the file was deleted. */
BOOL DeleteFromSpecialFolder(HWND owner, int folder, const char *fileName);

#endif
