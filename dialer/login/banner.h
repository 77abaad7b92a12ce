/* The advertisement banner: picks, loads and shows the next advertisement. */
#ifndef TOVA_BANNER_H
#define TOVA_BANNER_H

#include <windows.h>

void RotateBanner(HWND window);
BOOL BannerDue(HWND window);

#endif
