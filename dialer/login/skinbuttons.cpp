/* The login window's owner-drawn buttons and banner, drawn from the skin
 * picture: each button has a strip of three cells (normal, highlighted,
 * pressed) below the window face. The button under the mouse is drawn
 * highlighted straight into its own device context; only the button that
 * loses the highlight is repainted. */
#include "dialer/login/skin.h"
#include "dialer/login/login.h"
#include "resource.h"

#define BANNER_WIDTH  221
#define BANNER_HEIGHT 58

struct SkinStrip {
    int id;
    int top;      /* row of the strip in the skin picture */
    int width;    /* cell size */
    int height;
};

static const SkinStrip SKIN_STRIPS[] = {
    { IDC_MINIMIZE,    250, 40, 13 },
    { IDC_CLOSEBUTTON, 263, 42, 13 },
    { IDC_HELPBUTTON,  276, 27, 31 },
    { IDC_SETTINGS,    307, 24, 31 },
    { IDC_CONNECT,     338, 26, 31 },
    { IDCANCEL,        369, 26, 31 },
    { IDC_LOGO,        400, 85, 17 },
};

static const SkinStrip *FindStrip(int id)
{
    unsigned i;
    for (i = 0; i < sizeof(SKIN_STRIPS) / sizeof(SKIN_STRIPS[0]); i++)
        if (SKIN_STRIPS[i].id == id)
            return &SKIN_STRIPS[i];
    return NULL;
}

BOOL DrawSkinButton(LoginWindowState *state, int controlId, HWND control, HDC dc, int cell)
{
    const SkinStrip *strip = FindStrip(controlId);
    RECT source, destination;

    if (!state || !strip)
        return FALSE;
    source.left = cell * strip->width;
    source.top = strip->top;
    source.right = source.left + strip->width;
    source.bottom = strip->top + strip->height;
    /* at the control's origin; a cell larger than the control is clipped */
    SetRect(&destination, 0, 0, strip->width, strip->height);
    return DibImageDraw(&state->SkinImage, state->Palette.palette, control, dc, &destination, &source,
                        SRCCOPY, DRAW_SELECT_PALETTE | DRAW_NATURAL_SIZE);
}

static void DrawBanner(LoginWindowState *state, const DRAWITEMSTRUCT *item)
{
    RECT source = { 0, 0, BANNER_WIDTH, BANNER_HEIGHT };
    DibImageDraw(&state->BannerImage, state->Palette.palette, item->hwndItem, item->hDC, &item->rcItem,
                 &source, SRCCOPY, DRAW_SELECT_PALETTE | DRAW_NATURAL_SIZE);
    FrameRect(item->hDC, &item->rcItem, (HBRUSH)GetStockObject(BLACK_BRUSH));
}

BOOL DrawSkinControl(LoginWindowState *state, const DRAWITEMSTRUCT *item)
{
    int cell = 0;
    BOOL selected;

    if (!state || !item)
        return FALSE;
    if (item->CtlID == IDC_BANNER) {
        DrawBanner(state, item);
        return TRUE;
    }
    if (!FindStrip((int)item->CtlID))
        return FALSE;
    selected = (item->itemState & ODS_SELECTED) != 0;
    if ((item->itemAction == ODA_DRAWENTIRE || item->itemAction == ODA_SELECT) && selected)
        cell = 1;
    if (item->itemState & ODS_FOCUS)
        cell = selected ? 2 : 1;
    DrawSkinButton(state, (int)item->CtlID, item->hwndItem, item->hDC, cell);
    return TRUE;
}

/* Buttons that light up under the mouse; cancel and the banner do not. */
static BOOL IsHoverButton(int id)
{
    return id == IDC_CONNECT || id == IDC_LOGO || id == IDC_HELPBUTTON || id == IDC_SETTINGS ||
           id == IDC_MINIMIZE || id == IDC_CLOSEBUTTON;
}

void ClearHotButton(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    HWND control;

    if (!state || !state->HotButton)
        return;
    control = GetDlgItem(window, (int)state->HotButton);
    state->HotButton = 0;
    if (control)
        InvalidateRect(control, NULL, FALSE);
}

void TrackHotButton(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    POINT cursor;
    HWND child = NULL, control;
    int candidate = 0;
    HDC dc;

    if (!state)
        return;
    if (GetCursorPos(&cursor) && ScreenToClient(window, &cursor))
        child = ChildWindowFromPointEx(window, cursor, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    if (child && child != window && IsHoverButton(GetDlgCtrlID(child)))
        candidate = GetDlgCtrlID(child);
    if ((UINT)candidate == state->HotButton)
        return;
    ClearHotButton(window);
    if (!candidate)
        return;
    control = GetDlgItem(window, candidate);
    dc = control ? GetDC(control) : NULL;
    if (!dc)
        return;
    DrawSkinButton(state, candidate, control, dc, 1);
    ReleaseDC(control, dc);
    state->HotButton = (UINT)candidate;
}
