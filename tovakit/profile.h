/* The line simulator's profile and state, kept in the registry under
 * HKCU "Software\TovakitSim" so that a test can change the profile between
 * two calls and a dialer started later finds what an earlier one left
 * (phone book, live connections). Every key is opened and closed per call. */
#ifndef TOVAKIT_PROFILE_H
#define TOVAKIT_PROFILE_H

#include <windows.h>

#define SIM_ROOT        "Software\\TovakitSim"
#define SIM_PROFILE     SIM_ROOT "\\Profile"
#define SIM_STATE       SIM_ROOT "\\State"
#define SIM_LASTDIAL    SIM_ROOT "\\LastDial"
#define SIM_PHONEBOOK   SIM_STATE "\\PhoneBook"
#define SIM_CONNECTIONS SIM_STATE "\\Connections"

/* Profile values, read again at every call; a missing value means the default. */
DWORD SimNumber(const char *name, DWORD fallback);
void SimText(const char *name, const char *fallback, char *out, DWORD size);
/* Item index of a '|'-separated profile list into out (at most size - 1
 * characters); FALSE past the last item or for an empty list. */
BOOL SimListItem(const char *name, const char *fallback, DWORD index, char *out, DWORD size);
/* Whether item (case-insensitive) is in a '|'-separated profile list. */
BOOL SimListHas(const char *name, const char *fallback, const char *item);

/* Whether a caller's record size field is one the service accepts: the
 * Windows 95 size always, the current SDK's longer size unless the
 * profile asks for "StrictSizes". */
BOOL SimRecordSizeOk(DWORD size, DWORD win95Size, DWORD sdkSize);

/* Values under any simulator key (a path below HKEY_CURRENT_USER). */
BOOL SimReadNumber(const char *key, const char *name, DWORD *value);
BOOL SimReadText(const char *key, const char *name, char *out, DWORD size);
BOOL SimReadBinary(const char *key, const char *name, void *out, DWORD *size);
BOOL SimWriteNumber(const char *key, const char *name, DWORD value);
BOOL SimWriteText(const char *key, const char *name, const char *text);
BOOL SimWriteBinary(const char *key, const char *name, const void *data, DWORD size);
/* Writes a number only into a key that still exists; FALSE when it is gone. */
BOOL SimUpdateNumber(const char *key, const char *name, DWORD value);
BOOL SimKeyExists(const char *key);
/* Deletes the sub-key child (no sub-keys of its own) of parent. */
BOOL SimDeleteKey(const char *parent, const char *child);

/* Appends a start to the "StartLog" file: the ordinal and the command line. */
void SimLogStart(const char *ordinal, const char *commandLine);

/* Bounded copy: at most size - 1 characters and a terminating zero. */
void SimCopy(char *dest, const char *src, DWORD size);
/* Bounded append, same rule; FALSE (dest unchanged) when it does not fit. */
BOOL SimAppend(char *dest, const char *src, DWORD size);

#endif
