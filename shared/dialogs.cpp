/* Dialog helpers: centring, edit limits and texts, combo selection. */
#include "shared/dialogs.h"

void CenterWindow(HWND window, int offset, HWND reference)
{
    RECT rect, area;
    int width, height, x, y;
    BOOL hasReference = reference && IsWindow(reference);

    if (!IsWindow(window))
        return;
    GetWindowRect(window, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    if (hasReference) {
        GetClientRect(reference, &area);
    } else {
        area.left = area.top = 0;
        area.right = GetSystemMetrics(SM_CXSCREEN);
        area.bottom = GetSystemMetrics(SM_CYSCREEN);
    }
    x = (area.right - area.left - width) / 2;
    y = (area.bottom - area.top - height) / 2 + offset;
    if (hasReference) {
        POINT corner;
        corner.x = x;
        corner.y = y;
        ClientToScreen(reference, &corner);
        x = corner.x;
        y = corner.y;
    }
    if (x < 0)
        x = 0;
    if (y < 0)
        y = 0;
    MoveWindow(window, x, y, width, height, TRUE);
}

void LimitEditText(HWND dialog, int id, int limit)
{
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, (WPARAM)limit, 0);
}

void SetEditText(HWND dialog, int id, int limit, const char *text)
{
    LimitEditText(dialog, id, limit);
    SetDlgItemTextA(dialog, id, text ? text : "");
}

int GetComboSelection(HWND dialog, int id)
{
    return (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
}

BOOL ActivateWindowByCaption(const char *caption)
{
    HWND first = FindWindowA(NULL, caption);
    if (!first)
        return FALSE;
    SetForegroundWindow(first);
    if (IsIconic(first))
        ShowWindow(first, SW_RESTORE);
    return TRUE;
}
