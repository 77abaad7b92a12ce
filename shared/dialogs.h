/* Small dialog helpers used by every dialog of both programs. */
#ifndef TOVA_DIALOGS_H
#define TOVA_DIALOGS_H

#include <windows.h>

/* Centres window on the reference window's client area (or the screen
 * when reference is none), offset vertically; never off the top left. */
void CenterWindow(HWND window, int offset, HWND reference);
void SetEditText(HWND dialog, int id, int limit, const char *text);
void LimitEditText(HWND dialog, int id, int limit);
/* The combo box's selection index, negative when none. */
int GetComboSelection(HWND dialog, int id);
/* Brings the top-level window with this caption to the front, restored
 * when minimised: how a second copy of a program gives way to the first.
 * FALSE when there is no such window. */
BOOL ActivateWindowByCaption(const char *caption);

#endif
