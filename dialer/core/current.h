/* The member's current settings: in-memory copies of the per-user values,
 * loaded once at start-up and stored back by whatever changes them. */
#ifndef TOVA_CURRENT_H
#define TOVA_CURRENT_H

#include <windows.h>

#define MODEM_NAME_SIZE   128
#define URL_SIZE          256
#define AREA_SIZE         6
#define DIAL_PREFIX_SIZE  6
#define DIAL_AREA_SIZE    6
#define DIAL_NUMBER_SIZE  16

#define BROWSER_NONE      0xFFFF

struct CurrentSettings {
    char Modem[MODEM_NAME_SIZE];
    char BrowserPath[MAX_PATH];
    WORD BrowserType;
    char StartUpUrl[URL_SIZE];
    char Area[AREA_SIZE];
    char DialPrefix[DIAL_PREFIX_SIZE];
    char DialArea[DIAL_AREA_SIZE];
    char DialNumber[DIAL_NUMBER_SIZE];
    DWORD DialFlag;
    DWORD SavePassword;   /* 0 or 1 */
    DWORD PlusUser;       /* 0 or 1 */
    DWORD ActEmail;       /* as read */
};

extern CurrentSettings Current;

#endif
