/* The settings dialog and the about box. */
#ifndef TOVA_DIALOGS_DIALER_H
#define TOVA_DIALOGS_DIALER_H

#include <windows.h>

/* Change-mask bits of the settings dialog. */
#define SETTINGS_MODEM    0x01
#define SETTINGS_PLUSUSER 0x10
#define SETTINGS_AREA     0x40

BOOL OpenSettingsDialog(HWND owner, DWORD *changes);
void ShowAboutBox(HWND owner);

#endif
