/* Dial-up script files next to the program: the entry's own script and the
 * numbered scripts that start-up keeps at the versions the registry holds. */
#ifndef TOVA_SCRIPT_H
#define TOVA_SCRIPT_H

#include <windows.h>
#include "dialer/login/login.h"

#define SCRIPT_HEAD_SIZE   255  /* bytes of a script searched for "VERSION" */
#define SCRIPT_NAME_SIZE   260  /* file name buffer handed to the helper library */

/* Re-creates the entry's script file when the entry names one that cannot
 * be opened; FALSE when it cannot be written. */
BOOL CheckEntryScript(HWND window, LoginWindowState *state);
/* Writes "<entry>.SCP" next to the program's own file; on success path
 * (PATH_SIZE bytes) gets its full path. */
BOOL WriteEntryScript(const char *entryName, char *path);

/* Brings the numbered script files up to date with the helper library. */
void UpdateNumberedScripts(void);
/* Writes numbered script index to path; version gets the version the
 * helper library reports for it. */
BOOL WriteNumberedScript(DWORD index, const char *path, DWORD *version);
/* Finds the version line "VERSION major[.minor]" in the zero-terminated
 * head of a script file; FALSE when there is none. */
BOOL ScriptVersionOf(const char *head, DWORD *version);

#endif
