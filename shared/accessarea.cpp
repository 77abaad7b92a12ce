/* Access areas of the phone book: the "PhoneBook" sub-keys whose names
 * begin with a digit and that carry a "Desc" text, counted in the order the
 * registry enumerates them. The settings dialog lists them by index. */
#include "shared/settings.h"

/* Reads the "Desc" text of one area; FALSE when it is missing or not text. */
static BOOL ReadAreaDesc(HKEY phoneBook, const char *name, char *desc, DWORD size)
{
    HKEY area;
    LONG rc;
    if (RegOpenKeyExA(phoneBook, name, 0, KEY_READ, &area) != ERROR_SUCCESS)
        return FALSE;
    rc = QuerySettingText(area, SettingName(SET_DESC), desc, size);
    RegCloseKey(area);
    return rc == ERROR_SUCCESS;
}

int GetAccessArea(int index, char *desc, char *keyName)
{
    char name[AREA_NAME_SIZE];
    char text[AREA_DESC_SIZE];
    DWORD position;
    HKEY phoneBook;
    int found = -2;

    if (desc)
        desc[0] = 0;
    if (keyName)
        keyName[0] = 0;
    phoneBook = OpenSettingsKey(TRUE, SettingName(SET_PHONEBOOK), FALSE, NULL);
    if (!phoneBook)
        return -1;
    for (position = 0;; position++) {
        DWORD len = sizeof(name);
        FILETIME written;
        if (RegEnumKeyExA(phoneBook, position, name, &len, NULL, NULL, NULL, &written) != ERROR_SUCCESS)
            break;
        if (name[0] < '0' || name[0] > '9')
            continue;
        if (!ReadAreaDesc(phoneBook, name, text, sizeof(text)))
            continue;
        if (index > 0) {
            index--;
            continue;
        }
        if (keyName)
            CopyText(keyName, name, AREA_NAME_SIZE);
        if (desc)
            CopyText(desc, text, AREA_DESC_SIZE);
        found = 0;
        break;
    }
    RegCloseKey(phoneBook);
    return found;
}
