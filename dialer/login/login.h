/* The login window: the dialer's one main window and its record. */
#ifndef TOVA_LOGIN_H
#define TOVA_LOGIN_H

#include <windows.h>
#include "dialer/image/dib.h"

#define ENTRY_NAME_SIZE 64
#define LOGIN_URL_SIZE  256
#define LOGIN_TIMER     500   /* timer id and period in ms */

/* Connection states of the login window. */
#define LINK_IDLE       0
#define LINK_DIALING    1
#define LINK_CONNECTED  2

struct AccessNumber;

struct LoginWindowState {
    HWND Window;
    HWND Tooltip;
    UINT HotButton;
    BOOL FirstPaint;
    DWORD LinkState;
    char EntryName[ENTRY_NAME_SIZE];
    BYTE *EntryBuffer;
    BYTE *DeviceBuffer;
    DWORD EntrySize;
    DWORD DeviceSize;
    AccessNumber *AccessNumbers;
    BOOL DeviceChanged;
    BOOL EntryChanged;
    BOOL RewriteEntry;
    char PendingUrl[LOGIN_URL_SIZE];
    DWORD LastAdTick;
    LONG NextAdNumber;
    char BannerUrl[LOGIN_URL_SIZE];
    DibImage Palette;
    DibImage BannerImage;
    DibImage SkinImage;
};

/* The one record of the process, zero-filled when the window is created. */
extern LoginWindowState LoginState;

HWND CreateLoginWindow(void);
INT_PTR CALLBACK LoginWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif

/* The window's record, or null when it has none. */
LoginWindowState *LoginStateOf(HWND window);
