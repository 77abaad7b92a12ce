/* Dial-up script files next to the program. */
#ifndef TOVA_SCRIPT_H
#define TOVA_SCRIPT_H

#include <windows.h>
#include "dialer/login/login.h"

BOOL CheckEntryScript(HWND window, LoginWindowState *state);
/* Writes "<entry>.SCP" next to the program; path gets its full path
 * (PATH_SIZE bytes). */
BOOL WriteEntryScript(const char *entryName, char *path);

#endif
