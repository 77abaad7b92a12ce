/* Plain drawing of the login window's owner-drawn buttons: a push-button
 * frame with the button's text, used where no skin picture is drawn. */
#include "dialer/login/loginparts.h"

void DrawPlainButton(const DRAWITEMSTRUCT *item)
{
    char text[128];
    RECT rect;
    UINT state = DFCS_BUTTONPUSH;

    if (!item || item->CtlType != ODT_BUTTON)
        return;
    rect = item->rcItem;
    if (item->itemState & ODS_SELECTED)
        state |= DFCS_PUSHED;
    if (item->itemState & ODS_DISABLED)
        state |= DFCS_INACTIVE;
    DrawFrameControl(item->hDC, &rect, DFC_BUTTON, state);
    text[0] = 0;
    GetWindowTextA(item->hwndItem, text, sizeof(text));
    SetBkMode(item->hDC, TRANSPARENT);
    SetTextColor(item->hDC, GetSysColor((item->itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextA(item->hDC, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (item->itemState & ODS_FOCUS) {
        InflateRect(&rect, -3, -3);
        DrawFocusRect(item->hDC, &rect);
    }
}
