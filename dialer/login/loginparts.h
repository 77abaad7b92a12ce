/* Operations on the login window shared by its handlers and the
 * connection engine. */
#ifndef TOVA_LOGINPARTS_H
#define TOVA_LOGINPARTS_H

#include <windows.h>

void SetInputsEnabled(HWND window, BOOL enable);
void ShowIdle(HWND window);
/* Enables Connect or Disconnect of the window's menu by the line state. */
void SetLoginMenuState(HWND window, BOOL online);

/* WM_COMMAND of the login window; FALSE when the command is not taken. */
BOOL OnLoginCommand(HWND window, WORD id, WORD code);
/* Sends the shutdown query and destroys the window when it is allowed. */
void CloseLoginWindow(HWND window);
/* Shows the context menu at a screen position, or near the window's top
 * left corner for -1 (keyboard). */
void ShowLoginMenu(HWND window, LPARAM position);
/* TRUE for Shift+F10 or the menu key pressed in the login window. */
BOOL IsLoginMenuKey(const MSG *msg);
BOOL LoginWindowIsTarget(HWND window);

/* The skin, banner and palette pictures of the record. */
struct LoginWindowState;
void InitLoginImages(HWND window, LoginWindowState *state);
void ReleaseLoginImages(LoginWindowState *state);

#endif
