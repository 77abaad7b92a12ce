/* The settings dialog and the about box. */
#ifndef TOVA_DIALOGS_DIALER_H
#define TOVA_DIALOGS_DIALER_H

#include <windows.h>

/* Change-mask bits of the settings dialog. */
#define SETTINGS_MODEM       0x01   /* "Modem" */
#define SETTINGS_BROWSERPATH 0x02   /* "BrowserPath" */
#define SETTINGS_BROWSERTYPE 0x04   /* "BrowserType" */
#define SETTINGS_STARTPAGE   0x08   /* "StartUp URL" */
#define SETTINGS_PLUSUSER    0x10   /* "Plus User" */
#define SETTINGS_AREA        0x40   /* "Area" or "DialPrefix" */
#define SETTINGS_ACTEMAIL    0x80   /* "ActEmail" */

/* Shows the settings dialog; 1 when the member confirmed it, with the
 * settings that changed (and were stored) in *changes, else 0 and no
 * changes. */
BOOL OpenSettingsDialog(HWND owner, DWORD *changes);

/* Parts of the settings dialog, for its own window procedure: the three
 * drop-down lists, and the check of the member's choice on OK (1 to close). */
void FillModemList(HWND dialog, int id);
void FillBrowserList(HWND dialog, int id);
void FillAreaList(HWND dialog, int id);
BOOL AcceptSettings(HWND dialog);

/* Opens the about box modally; 1 when it could be shown. */
BOOL ShowAboutBox(HWND owner);

#endif
