/* Plumbing of the list import: INI values read through the system's
 * private-profile service within the lists' limits, and the machine-wide
 * list keys with their values. Keys are created with the class "REG_SZ"
 * and full access, as every key of the settings store. */
#include "dialer/core/app.h"
#include "dialer/connect/tokens.h"
#include "dialer/servicedata/listfiles.h"

void ReadIniValue(const char *path, const char *section, const char *key, char *buffer, DWORD size)
{
    DWORD i = 0;
    if (!buffer || size == 0)
        return;
    buffer[0] = 0;
    GetPrivateProfileStringA(section, key, "", buffer, size, path);
    buffer[size - 1] = 0;
    /* A value cut at the buffer's end may end in half a Hangul character. */
    while (buffer[i]) {
        if (IsDBCSLeadByte((BYTE)buffer[i])) {
            if (!buffer[i + 1]) {
                buffer[i] = 0;
                break;
            }
            i += 2;
        } else {
            i++;
        }
    }
}

long ReadIniNumber(const char *path, const char *section, const char *key)
{
    char value[INI_VALUE_SIZE];
    ReadIniValue(path, section, key, value, sizeof(value));
    return DecimalValue(value);
}

static HKEY CreateSubKey(HKEY parent, const char *name)
{
    HKEY key = NULL;
    DWORD disposition;
    char keyClass[] = "REG_SZ";
    if (RegCreateKeyExA(parent, name, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &key,
                        &disposition) != ERROR_SUCCESS)
        return NULL;
    return key;
}

HKEY OpenListKey(const char *listName)
{
    HKEY root = OpenSettingsKey(TRUE, NULL, FALSE, NULL), list;
    if (!root)
        return NULL;
    list = CreateSubKey(root, listName);
    RegCloseKey(root);
    return list;
}

HKEY BeginListImport(const char *path, const char *listName)
{
    char value[INI_VALUE_SIZE];
    HKEY list = OpenListKey(listName);

    if (!list)
        return NULL;
    ReadIniValue(path, listName, SettingName(SET_VERSION), value, sizeof(value));
    if (!value[0]) {
        RegCloseKey(list);
        return NULL;
    }
    StoreNumber(list, SettingName(SET_VERSION), PackVersion(value));
    ReadIniValue(path, listName, SettingName(SET_DATE), value, sizeof(value));
    StoreText(list, SettingName(SET_DATE), value);
    return list;
}

HKEY OpenListSubKey(HKEY list, const char *name)
{
    return CreateSubKey(list, name);
}

void StoreText(HKEY key, const char *name, const char *text)
{
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)text, lstrlenA(text) + 1);
}

void StoreNumber(HKEY key, const char *name, DWORD value)
{
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof(value));
}
