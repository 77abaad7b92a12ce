/* The login window's frame and face: its outline (an ellipse over a
 * rounded lower body), the pixel places of its controls, the background
 * painted from the skin picture without erasing, dragging by the body,
 * the blocked maximise, the status line's colours, the hand cursor over
 * the banner and the window palette. Every look message of the window
 * passes through HandleSkinMessage. */
#include "dialer/login/skin.h"
#include "dialer/login/login.h"
#include "shared/message.h"
#include "resource.h"

/* The outline region handed to the system, and the window size it was
 * built for. */
static HRGN WindowRegion;
static int RegionWidth, RegionHeight;

struct ControlPlace {
    int id;
    int x, y, width, height;
};

static const ControlPlace CONTROL_PLACES[] = {
    { IDC_MINIMIZE,     76,   0,  39, 13 },
    { IDC_CLOSEBUTTON, 117,   0,  42, 13 },
    { IDC_SAVEPASSWORD, 180, 88,  11, 11 },
    { IDC_HELPBUTTON,  115, 103,  27, 31 },
    { IDC_SETTINGS,    142, 103,  24, 31 },
    { IDC_CONNECT,     166, 103,  26, 31 },
    { IDCANCEL,        166, 103,  26, 31 },
    { IDC_USERID,       89,  49, 103, 17 },
    { IDC_PASSWORD,     89,  68, 103, 18 },
    { IDC_STATUS,       12, 138, 213, 14 },
    /* banner and logo: their rectangles (6,160)-(226,217) and
     * (31,112)-(115,128), one pixel wider and taller */
    { IDC_BANNER,        6, 160, 221, 58 },
    { IDC_LOGO,         31, 112,  85, 17 },
};

/* The ellipse united with the part y 112..232 of the rounded rectangle,
 * so that the body's rounded bottom corners remain. */
static HRGN BuildOutline(void)
{
    HRGN ellipse = CreateEllipticRgn(0, 0, SKIN_FACE_WIDTH, SKIN_FACE_HEIGHT);
    HRGN body = CreateRoundRectRgn(0, 0, SKIN_FACE_WIDTH, 224, 10, 10);
    HRGN lower = CreateRectRgn(0, 112, SKIN_FACE_WIDTH, 232);
    HRGN outline = NULL;

    if (ellipse && body && lower && CombineRgn(lower, lower, body, RGN_AND) != ERROR &&
        CombineRgn(ellipse, ellipse, lower, RGN_OR) != ERROR) {
        outline = ellipse;
        ellipse = NULL;
    }
    if (ellipse)
        DeleteObject(ellipse);
    if (body)
        DeleteObject(body);
    if (lower)
        DeleteObject(lower);
    return outline;
}

BOOL ShapeWindow(HWND window)
{
    RECT rect;
    int width, height;
    unsigned i;
    HRGN outline;

    if (!GetWindowRect(window, &rect))
        return FALSE;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    /* The dialog's size comes from its font; a stand-in font may make it
     * smaller than the face, which would cut off the banner. */
    if (width < SKIN_FACE_WIDTH || height < SKIN_FACE_HEIGHT) {
        if (width < SKIN_FACE_WIDTH)
            width = SKIN_FACE_WIDTH;
        if (height < SKIN_FACE_HEIGHT)
            height = SKIN_FACE_HEIGHT;
        SetWindowPos(window, NULL, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (WindowRegion && width == RegionWidth && height == RegionHeight)
        return FALSE;
    outline = BuildOutline();
    if (!outline)
        return FALSE;
    if (!SetWindowRgn(window, outline, TRUE)) {
        DeleteObject(outline);
        return FALSE;
    }
    WindowRegion = outline; /* the system owns it from here */
    RegionWidth = width;
    RegionHeight = height;

    for (i = 0; i < sizeof(CONTROL_PLACES) / sizeof(CONTROL_PLACES[0]); i++) {
        const ControlPlace *place = &CONTROL_PLACES[i];
        HWND control = GetDlgItem(window, place->id);
        if (control)
            SetWindowPos(control, NULL, place->x, place->y, place->width, place->height,
                         SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

/* ---- Painting --------------------------------------------------------------- */

static BOOL OnPaint(HWND window, LRESULT *result)
{
    LoginWindowState *state = LoginStateOf(window);
    PAINTSTRUCT paint;

    if (!state)
        return FALSE;
    if (BeginPaint(window, &paint)) {
        DibImageDraw(&state->SkinImage, state->Palette.palette, window, paint.hdc, &paint.rcPaint,
                     &paint.rcPaint, SRCCOPY, DRAW_SELECT_PALETTE | DRAW_NATURAL_SIZE);
        EndPaint(window, &paint);
    }
    *result = 0;
    return TRUE;
}

/* ---- Cursor, dragging, system commands ------------------------------------------ */

BOOL SetBannerCursor(HWND window, int hitTest)
{
    HWND banner = GetDlgItem(window, IDC_BANNER);
    POINT cursor;
    RECT rect;
    HCURSOR hand;

    if (hitTest != HTCLIENT || !banner || !GetCursorPos(&cursor) || !GetWindowRect(banner, &rect))
        return FALSE;
    if (!PtInRect(&rect, cursor))
        return FALSE;
    hand = LoadCursorA(AppInstance, MAKEINTRESOURCEA(IDR_HAND_CURSOR));
    if (!hand)
        return FALSE;
    SetCursor(hand);
    return TRUE;
}

/* The body and text labels answer as a caption, so pressing there drags
 * the window; edits and buttons keep their own hit test. */
static BOOL OnHitTest(HWND window, LPARAM position, LRESULT *result)
{
    POINT point;
    HWND child;
    char className[32];

    point.x = (short)LOWORD(position); /* signed: screens left of the primary one */
    point.y = (short)HIWORD(position);
    ScreenToClient(window, &point);
    child = ChildWindowFromPoint(window, point);
    if (!child)
        return FALSE;
    if (child != window) {
        className[0] = 0;
        GetClassNameA(child, className, sizeof(className));
        if (lstrcmpiA(className, "Static") != 0)
            return FALSE;
    }
    *result = HTCAPTION;
    return TRUE;
}

/* ---- Status line colours ----------------------------------------------------------- */

static BOOL OnControlColor(HDC dc, HWND control, LRESULT *result)
{
    if (!control || GetDlgCtrlID(control) != IDC_STATUS)
        return FALSE;
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, OPAQUE);
    *result = (LRESULT)GetStockObject(WHITE_BRUSH);
    return TRUE;
}

/* ---- Dispatch ------------------------------------------------------------------------- */

BOOL HandleSkinMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result)
{
    LoginWindowState *state = LoginStateOf(window);

    switch (message) {
    case WM_PAINT:
        return OnPaint(window, result);
    case WM_ERASEBKGND:
        if (!state)
            return FALSE;
        *result = 1; /* the paint fills the whole window */
        return TRUE;
    case WM_DRAWITEM:
        if (!DrawSkinControl(state, (const DRAWITEMSTRUCT *)lParam))
            return FALSE;
        *result = TRUE;
        return TRUE;
    case WM_SETCURSOR:
        if (!SetBannerCursor(window, LOWORD(lParam)))
            return FALSE;
        *result = TRUE;
        return TRUE;
    case WM_NCHITTEST:
        return OnHitTest(window, lParam, result);
    case WM_SYSCOMMAND:
        /* the low four bits carry the system's own flags (a caption
         * double-click sends SC_MAXIMIZE + 2) */
        if ((wParam & 0xFFF0) != SC_MAXIMIZE)
            return FALSE;
        *result = 0;
        return TRUE;
    case WM_NOTIFY:
        return AnswerTooltipText(window, (NMHDR *)lParam, result);
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnControlColor((HDC)wParam, (HWND)lParam, result);
    case WM_QUERYNEWPALETTE:
        if (!state)
            return FALSE;
        *result = DibImageRealize(&state->Palette, window, REALIZE_INVALIDATE);
        return TRUE;
    case WM_PALETTECHANGED:
        if (state && (HWND)wParam != window && !IsChild(window, (HWND)wParam))
            DibImagePaletteChanged(&state->Palette, window);
        return FALSE;
    }
    return FALSE;
}
