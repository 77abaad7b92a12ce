/* The connection engine: dialling the service's entry, turning each dial
 * event into a status text, watching the live line and hanging up. */
#ifndef TOVA_ENGINE_H
#define TOVA_ENGINE_H

#include <windows.h>
#include "dialer/connect/connect.h"

/* The service's account realm appended to every user name. */
#define ACCOUNT_REALM "@palvex.com"

/* Per-dial flags: texts that appear at most once per dial. */
#define DIAL_ANNOUNCED      0x01
#define LINE_ANNOUNCED      0x02

#define STATUS_TEXT_SIZE    1025

/* Connect, from the connect button or Enter (fromClick FALSE) or from a
 * banner or logo click that has set the page to open (fromClick TRUE). */
void Connect(HWND window, BOOL fromClick);
void OnDialProgress(HWND window, DWORD rasState, DWORD error);
void OnConnected(HWND window);
void PollConnection(HWND window);
void CancelOrDisconnect(HWND window);
/* Asks before hanging up; TRUE when a connection remains. */
BOOL ConfirmHangUp(HWND window);
void Reattach(HWND window);
void ReturnToIdle(HWND window, BOOL writeStatus);

/* The status text of one dial event; *announced carries the per-dial
 * flags. Returns TRUE when the event has a text. */
BOOL DialProgressText(DWORD rasState, DWORD error, DWORD *announced, char *text, int size);

#endif
