/* Look and banner of the login window, still to be filled in: the window
 * keeps its template layout and plain buttons, and the banner stays put. */
#include "dialer/login/skin.h"
#include "dialer/login/banner.h"
#include "dialer/login/loginparts.h"
#include "dialer/login/login.h"

BOOL ShapeWindow(HWND window)
{
    (void)window;
    return FALSE;
}

HWND CreateTooltip(HWND window)
{
    (void)window;
    return NULL;
}

BOOL AddTooltip(HWND window, int controlId)
{
    (void)window;
    (void)controlId;
    return FALSE;
}

void RemoveTooltipHook(void)
{
}

BOOL HandleSkinMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    (void)window;
    (void)wParam;
    if (message == WM_DRAWITEM) {
        DrawPlainButton((const DRAWITEMSTRUCT *)lParam);
        *result = TRUE;
        return TRUE;
    }
    return FALSE;
}

void RotateBanner(HWND window)
{
    (void)window;
}

BOOL BannerDue(HWND window)
{
    (void)window;
    return FALSE;
}

void InitLoginImages(HWND window, LoginWindowState *state)
{
    (void)window;
    (void)state;
}

void ReleaseLoginImages(LoginWindowState *state)
{
    (void)state;
}
