/* The look of the login window: outline, skin pictures on its buttons,
 * hover highlight, tooltips, cursor and palette. */
#ifndef TOVA_SKIN_H
#define TOVA_SKIN_H

#include <windows.h>

struct LoginWindowState;

/* The outline is built for windows of at least this size (pixels). */
#define SKIN_FACE_WIDTH   233
#define SKIN_FACE_HEIGHT  234

/* Cuts the window's outline and moves every control to its place; 0 when
 * the outline for this window size exists already. */
BOOL ShapeWindow(HWND window);
HWND CreateTooltip(HWND window);
BOOL AddTooltip(HWND window, int controlId);
void RemoveTooltipHook(void);
/* Handles the look messages (paint, erase, draw item, cursor, hit test,
 * colours, palette, tooltip text); TRUE when taken, *result set. */
BOOL HandleSkinMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

/* Owner-drawn controls from the skin picture: cell 0 normal, 1 highlighted,
 * 2 pressed. */
BOOL DrawSkinControl(LoginWindowState *state, const DRAWITEMSTRUCT *item);
BOOL DrawSkinButton(LoginWindowState *state, int controlId, HWND control, HDC dc, int cell);
/* Hover highlight of the button under the mouse. */
void TrackHotButton(HWND window);
void ClearHotButton(HWND window);
BOOL SetBannerCursor(HWND window, int hitTest);
/* Text of a tool asked for by the tooltip window; TRUE when answered. */
BOOL AnswerTooltipText(HWND window, NMHDR *header, LRESULT *result);

#endif
