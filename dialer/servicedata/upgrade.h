/* Starting the maker's upgrade program. */
#ifndef TOVA_UPGRADE_H
#define TOVA_UPGRADE_H

#include <windows.h>

BOOL LaunchUpgrade(HWND owner);

#endif
