/* Message boxes and text resources shared by both programs: every message
 * the member sees is a string resource shown through ShowMessage. */
#ifndef TOVA_MESSAGE_H
#define TOVA_MESSAGE_H

#include <windows.h>

/* The program's own module: all strings, dialogs, bitmaps and icons. */
extern HINSTANCE AppInstance;

/* The three message styles of both programs. */
#define MSG_ERROR    (MB_OK | MB_ICONSTOP | MB_TOPMOST)
#define MSG_QUESTION (MB_OKCANCEL | MB_ICONQUESTION | MB_TOPMOST)
#define MSG_INFO     (MB_OK | MB_ICONINFORMATION | MB_TOPMOST)

#define TEXT_SIZE        256   /* default LoadText buffer */
#define FORMAT_SOURCE    2048  /* longest format string FormatText loads */
#define FORMAT_OUTPUT    1025  /* wvsprintf writes at most 1024 characters */

/* text and caption: a string, or a string id through MAKEINTRESOURCEA. */
int ShowMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT style, DWORD helpId);
/* Shorthand with string ids. */
int ShowMessageId(HWND owner, UINT textId, UINT captionId, UINT style);

char *LoadText(UINT id, char *buffer, int size);
/* Formats string resource id into buffer (at most size - 1 characters) by
 * the wvsprintf rules; returns the length written, 0 without a buffer. */
int FormatText(char *buffer, int size, UINT id, ...);

#endif
