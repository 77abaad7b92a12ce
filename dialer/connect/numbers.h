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

/* Flags of an access number: modem tokens and flag letters. */
#define ACCESS_FLAG_0       0x00001
#define ACCESS_FLAG_H       0x00002
#define ACCESS_FLAG_P       0x00004     /* plus members */
#define ACCESS_FLAG_S       0x00008
#define ACCESS_FLAG_28800   0x10000
#define ACCESS_FLAG_V90     0x40000
#define ACCESS_FLAG_ISDN    0x100000

struct AccessNumber {
    char Area[ACCESS_AREA_SIZE];       /* empty for nationwide numbers */
    char Number[ACCESS_NUMBER_SIZE];
    DWORD Flags;
    WORD Type;
    AccessNumber *Next;
};

void BuildAccessNumbers(HWND window, LoginWindowState *state);
void ReleaseAccessNumbers(LoginWindowState *state);
/* Parses one phone-book value "number, modem tokens, flag letters";
 * 0, or 13 when it is not of that form. number holds ACCESS_NUMBER_SIZE. */
DWORD ParseAccessNumber(const char *value, char *number, DWORD *flags);
/* Reads "Phone<n>" of the nationwide list (area empty) or of an area. */
DWORD ReadAccessNumber(const char *area, int n, char *number, DWORD *flags);
/* The number the next dial uses: the head of the list, or null. */
const AccessNumber *FirstAccessNumber(const LoginWindowState *state);

#endif
