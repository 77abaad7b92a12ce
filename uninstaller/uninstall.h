/* Tovaclean, the product's uninstaller: the record its dialog works on and
 * the operations of its removal, shared by the files of the program. */
#ifndef TOVACLEAN_UNINSTALL_H
#define TOVACLEAN_UNINSTALL_H

#include <windows.h>

#define UN_PATH_SIZE 260   /* every path: at most 259 characters */

/* The dialog's one record: created zero-filled by the entry point, passed
 * as the dialog's creation parameter and kept as its window data. */
struct UninstallState {
    char programFolder[UN_PATH_SIZE];   /* "ProgDir" without its closing
                                           backslash; empty when unknown */
    DWORD finishPressed;                /* the member ended with OK */
};

/* The dialog: questions in its initialisation, then the removal steps. */
INT_PTR CALLBACK UninstallDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void EnableFinishButton(HWND dialog);

/* A running dialer is asked to close: 0 when none runs any more, 1 when
 * the uninstallation must stop. */
int StopRunningDialer(HWND owner);
BOOL ConfirmUninstall(HWND owner);

/* Removal steps; their results are only for the record, none is shown. */
void ReadProgramFolder(UninstallState *state);
/* A drive ("C:", "C:\"), the current drive's root ("\") or a network
 * share ("\\server\share"): never the product's own folder, so the folder
 * step refuses to delete it. */
BOOL IsRootFolder(const char *folder);
BOOL DeleteProgramFolder(HWND owner, const char *folder);
void RemoveProductItems(HWND owner);
BOOL DeleteUninstallEntry(const char *name);

/* Starts the maker's restore utility to finish the removal. */
void StartFinalCleanup(const char *uninstallerPath);

#endif
