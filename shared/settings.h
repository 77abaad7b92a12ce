/* Registry settings store of the dialer and the uninstaller: the value names
 * and the few operations through which every window reads and writes the
 * vendor keys under HKLM and HKCU "Software\Brisole\<product key>". */
#ifndef TOVA_SETTINGS_H
#define TOVA_SETTINGS_H

#include <windows.h>

#define PRODUCT_KEY_SIZE   64   /* product key, at most 63 characters */
#define SETTINGS_ROOT_SIZE 128  /* "Software\Brisole\" + key, at most 127 */
#define SETTINGS_PATH_SIZE 260  /* root plus sub-key */

/* Result of a read for a value whose type is not the one asked for. */
#define SETTING_WRONG_TYPE 1349

/* Value names; SettingName() gives the exact registry text of each. */
enum SettingId {
    SET_PROGDIR = 1, SET_WORKDIR, SET_DATADIR, SET_VERSION, SET_DATE,
    SET_PHONEBOOK, SET_PHONE, SET_DESC, SET_BROWSERPATH, SET_BROWSERTYPE,
    SET_STARTUPURL, SET_USERID, SET_PASSWORD, SET_SAVEPASSWORD, SET_PLUSUSER,
    SET_ADVERTISEMENT, SET_DELAY, SET_IMAGE, SET_URL, SET_SCRIPT, SET_COUNT,
    SET_FILE, SET_AREA, SET_DIALPREFIX, SET_DIALAREA, SET_DIALNUMBER,
    SET_DIALFLAG, SET_MODEM, SET_UPDATE, SET_HOST, SET_PORT, SET_ID,
    SET_NAME, SET_FLAG, SET_ACTEMAIL, SET_FIRSTTIME
};

extern char ProductKey[PRODUCT_KEY_SIZE];
extern char SettingsRoot[SETTINGS_ROOT_SIZE];

const char *SettingName(int id);

void SetSettingsProduct(const char *name);
BOOL SettingsRootExists(BOOL machine, const char *name);
BOOL CreateSettingsRoot(BOOL machine, const char *name);
BOOL DeleteSettingsRoot(BOOL machine);

HKEY OpenSettingsKey(BOOL machine, const char *subKey, BOOL create, LONG *result);
LONG ReadSettingNumber(BOOL machine, const char *subKey, const char *name, DWORD *value);
LONG ReadSettingText(BOOL machine, const char *subKey, const char *name, char *buffer, DWORD size);
/* Reads a REG_SZ value of an open key into buffer: 0, the query's code,
 * 234 when it does not fit with its terminator, or 1349 for another type;
 * the buffer is empty on failure. */
LONG QuerySettingText(HKEY key, const char *name, char *buffer, DWORD size);
BOOL WriteSettingNumber(BOOL machine, const char *subKey, const char *name, DWORD value);
BOOL WriteSettingText(BOOL machine, const char *subKey, const char *name, const char *text);
BOOL DeleteSetting(BOOL machine, const char *subKey, const char *name);

/* Per-user shorthands. */
LONG ReadUserNumber(const char *subKey, const char *name, DWORD *value);
LONG ReadUserText(const char *subKey, const char *name, char *buffer, DWORD size);
BOOL WriteUserNumber(const char *subKey, const char *name, DWORD value);
BOOL WriteUserText(const char *subKey, const char *name, const char *text);
BOOL DeleteUserSetting(const char *subKey, const char *name);

/* Access areas: the digit-named "PhoneBook" sub-keys with a "Desc" text.
 * 0 found, -2 no such area, -1 no "PhoneBook" key. */
#define AREA_DESC_SIZE 260
#define AREA_NAME_SIZE 32
int GetAccessArea(int index, char *desc, char *keyName);

/* Bounded copy: at most size - 1 characters and a terminating zero. */
void CopyText(char *dest, const char *src, size_t size);
/* Bounded append to a zero-terminated buffer of the given size. */
void AppendText(char *dest, const char *src, size_t size);

#endif
