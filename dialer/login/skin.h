/* The look of the login window: outline, skin pictures on its buttons,
 * hover highlight, tooltips, cursor and palette. */
#ifndef TOVA_SKIN_H
#define TOVA_SKIN_H

#include <windows.h>

BOOL ShapeWindow(HWND window);
HWND CreateTooltip(HWND window);
BOOL AddTooltip(HWND window, int controlId);
void RemoveTooltipHook(void);
/* Handles the look messages (paint, erase, draw item, cursor, hit test,
 * colours, palette, tooltip text); TRUE when taken, *result set. */
BOOL HandleSkinMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

#endif
