/* The line simulator's profile and state, kept in the registry so that a
 * test can change the profile between two calls and a dialer started later
 * finds what an earlier one left (phone book, live connections). */
#ifndef TOVAKIT_PROFILE_H
#define TOVAKIT_PROFILE_H

#include <windows.h>

#define SIM_ROOT     "Software\\TovakitSim"
#define SIM_PROFILE  SIM_ROOT "\\Profile"
#define SIM_STATE    SIM_ROOT "\\State"
#define SIM_LASTDIAL SIM_ROOT "\\LastDial"

/* Profile values, read again at every call; missing means the default. */
DWORD SimNumber(const char *name, DWORD fallback);
void SimText(const char *name, const char *fallback, char *out, DWORD size);
BOOL SimHasValue(const char *name);

/* Values under any simulator key. */
BOOL SimReadNumber(const char *key, const char *name, DWORD *value);
BOOL SimReadText(const char *key, const char *name, char *out, DWORD size);
BOOL SimReadBinary(const char *key, const char *name, void *out, DWORD *size);
BOOL SimWriteNumber(const char *key, const char *name, DWORD value);
BOOL SimWriteText(const char *key, const char *name, const char *text);
BOOL SimWriteBinary(const char *key, const char *name, const void *data, DWORD size);
BOOL SimKeyExists(const char *key);
BOOL SimDeleteKey(const char *parent, const char *child);

/* Bounded copy: at most size - 1 characters and a terminating zero. */
void SimCopy(char *dest, const char *src, DWORD size);

#endif
