/* The access-number list: the numbers of the member's area and the
 * nationwide numbers, in the order they are tried. */
#ifndef TOVA_NUMBERS_H
#define TOVA_NUMBERS_H

#include <windows.h>
#include "dialer/login/login.h"

#define ACCESS_AREA_SIZE    6
#define ACCESS_NUMBER_SIZE  130

/* Item types. */
#define ACCESS_AREA         0
#define ACCESS_MENU         1
#define ACCESS_MEMBER       2
#define ACCESS_ISDN         0xFFFF

struct AccessNumber {
    char Area[ACCESS_AREA_SIZE];       /* empty for nationwide numbers */
    char Number[ACCESS_NUMBER_SIZE];
    DWORD Flags;
    WORD Type;
    AccessNumber *Next;
};

void BuildAccessNumbers(HWND window, LoginWindowState *state);
void ReleaseAccessNumbers(LoginWindowState *state);
/* The number the next dial uses: the head of the list, or null. */
const AccessNumber *FirstAccessNumber(const LoginWindowState *state);

#endif
