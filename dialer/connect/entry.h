/* The service's phone-book entry and the modem it dials with. */
#ifndef TOVA_ENTRY_H
#define TOVA_ENTRY_H

#include <windows.h>
#include "dialer/login/login.h"

BOOL LoadEntry(HWND window, LoginWindowState *state);
void AdjustModemSettings(HWND window, LoginWindowState *state);
void CheckChosenModem(HWND window, LoginWindowState *state);
/* Writes the entry with the first access number before a dial. */
BOOL RefreshEntry(HWND window, LoginWindowState *state, DWORD *code);
void ReleaseEntry(LoginWindowState *state);
/* The number the entry dials: prefix and access number. */
const char *EntryPhoneNumber(const LoginWindowState *state);

#endif
