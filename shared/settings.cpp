/* Registry settings store. Every operation opens its key, does its one job
 * and closes the key again, so no key stays open between operations and the
 * dialer and the uninstaller can share the same keys safely. */
#include "shared/settings.h"

char ProductKey[PRODUCT_KEY_SIZE];
char SettingsRoot[SETTINGS_ROOT_SIZE];

static const char VENDOR_PATH[] = "Software\\Brisole\\";

static const char *const SETTING_NAMES[] = {
    "",
    "ProgDir", "WorkDir", "DataDir", "Version", "Date", "PhoneBook",
    "Phone", "Desc", "BrowserPath", "BrowserType", "StartUp URL", "User ID",
    "Password", "SavePassword", "Plus User", "Advertisement", "Delay",
    "Image", "URL", "Script", "Count", "File", "Area", "DialPrefix",
    "DialArea", "DialNumber", "DialFlag", "Modem", "Update", "Host", "Port",
    "ID", "Name", "Flag", "ActEmail", "FirstTime"
};

const char *SettingName(int id)
{
    if (id < SET_PROGDIR || id > SET_FIRSTTIME)
        return "";
    return SETTING_NAMES[id];
}

static HKEY RootKey(BOOL machine)
{
    return machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

static void MakeSettingsRoot(const char *name)
{
    CopyText(SettingsRoot, VENDOR_PATH, sizeof(SettingsRoot));
    AppendText(SettingsRoot, name, sizeof(SettingsRoot));
}

void SetSettingsProduct(const char *name)
{
    CopyText(ProductKey, name, sizeof(ProductKey));
}

BOOL SettingsRootExists(BOOL machine, const char *name)
{
    HKEY key;
    SetSettingsProduct(name);
    MakeSettingsRoot(ProductKey);
    if (RegOpenKeyExA(RootKey(machine), SettingsRoot, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(key);
    return TRUE;
}

static LONG CreateKey(HKEY root, const char *path, HKEY *key)
{
    DWORD disposition;
    char keyClass[] = "REG_SZ";
    return RegCreateKeyExA(root, path, 0, keyClass, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, NULL, key, &disposition);
}

BOOL CreateSettingsRoot(BOOL machine, const char *name)
{
    HKEY key;
    char root[SETTINGS_ROOT_SIZE];
    /* Build into a copy first: the name may be the root's own product key. */
    CopyText(root, VENDOR_PATH, sizeof(root));
    AppendText(root, name, sizeof(root));
    CopyText(SettingsRoot, root, sizeof(SettingsRoot));
    if (CreateKey(RootKey(machine), SettingsRoot, &key) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(key);
    return TRUE;
}

/* Windows NT refuses to delete a key that still has sub-keys, so the tree
 * is emptied from the leaves up. */
static LONG DeleteKeyTree(HKEY parent, const char *path)
{
    HKEY key;
    char child[MAX_PATH];
    LONG rc = RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, &key);
    if (rc != ERROR_SUCCESS)
        return rc;
    for (;;) {
        DWORD len = sizeof(child);
        FILETIME written;
        if (RegEnumKeyExA(key, 0, child, &len, NULL, NULL, NULL, &written) != ERROR_SUCCESS)
            break;
        if (DeleteKeyTree(key, child) != ERROR_SUCCESS)
            break;
    }
    RegCloseKey(key);
    return RegDeleteKeyA(parent, path);
}

BOOL DeleteSettingsRoot(BOOL machine)
{
    if (!SettingsRoot[0])
        return FALSE;
    return DeleteKeyTree(RootKey(machine), SettingsRoot) == ERROR_SUCCESS;
}

HKEY OpenSettingsKey(BOOL machine, const char *subKey, BOOL create, LONG *result)
{
    char path[SETTINGS_PATH_SIZE];
    HKEY key = NULL;
    LONG rc;

    if (!SettingsRoot[0]) {
        if (result)
            *result = ERROR_FILE_NOT_FOUND;
        return NULL;
    }
    CopyText(path, SettingsRoot, sizeof(path));
    if (subKey && subKey[0]) {
        AppendText(path, "\\", sizeof(path));
        AppendText(path, subKey, sizeof(path));
    }
    rc = RegOpenKeyExA(RootKey(machine), path, 0, KEY_ALL_ACCESS, &key);
    if (rc != ERROR_SUCCESS) {
        key = NULL;
        if (create) {
            rc = CreateKey(RootKey(machine), path, &key);
            if (rc != ERROR_SUCCESS)
                key = NULL;
        }
    }
    if (result)
        *result = rc;
    return key;
}

LONG ReadSettingNumber(BOOL machine, const char *subKey, const char *name, DWORD *value)
{
    DWORD data = 0, type = 0, size = sizeof(data);
    LONG rc;
    HKEY key;

    if (value)
        *value = 0;
    key = OpenSettingsKey(machine, subKey, FALSE, &rc);
    if (!key)
        return rc;
    rc = RegQueryValueExA(key, name, NULL, &type, (BYTE *)&data, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (type != REG_DWORD)
        return SETTING_WRONG_TYPE;
    if (value)
        *value = data;
    return ERROR_SUCCESS;
}

LONG QuerySettingText(HKEY key, const char *name, char *buffer, DWORD size)
{
    DWORD type = 0, got = size;
    LONG rc;

    if (!buffer || size == 0)
        return ERROR_MORE_DATA;
    buffer[0] = 0;
    rc = RegQueryValueExA(key, name, NULL, &type, (BYTE *)buffer, &got);
    if (rc == ERROR_SUCCESS && type != REG_SZ)
        rc = SETTING_WRONG_TYPE;
    /* A value stored without its terminator that fills the whole buffer
     * does not fit either: the caller must never see an unterminated text. */
    if (rc == ERROR_SUCCESS && (got == 0 || buffer[got - 1] != 0)) {
        if (got >= size)
            rc = ERROR_MORE_DATA;
        else
            buffer[got] = 0;
    }
    if (rc != ERROR_SUCCESS)
        buffer[0] = 0;
    return rc;
}

LONG ReadSettingText(BOOL machine, const char *subKey, const char *name, char *buffer, DWORD size)
{
    LONG rc;
    HKEY key;

    if (!buffer || size == 0)
        return ERROR_MORE_DATA;
    buffer[0] = 0;
    key = OpenSettingsKey(machine, subKey, FALSE, &rc);
    if (!key)
        return rc;
    rc = QuerySettingText(key, name, buffer, size);
    RegCloseKey(key);
    return rc;
}

BOOL WriteSettingNumber(BOOL machine, const char *subKey, const char *name, DWORD value)
{
    LONG rc;
    HKEY key = OpenSettingsKey(machine, subKey, TRUE, &rc);
    if (!key)
        return FALSE;
    rc = RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof(value));
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL WriteSettingText(BOOL machine, const char *subKey, const char *name, const char *text)
{
    LONG rc;
    HKEY key;
    if (!text)
        text = "";
    key = OpenSettingsKey(machine, subKey, TRUE, &rc);
    if (!key)
        return FALSE;
    rc = RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)text, lstrlenA(text) + 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

BOOL DeleteSetting(BOOL machine, const char *subKey, const char *name)
{
    LONG rc;
    HKEY key = OpenSettingsKey(machine, subKey, TRUE, &rc);
    if (!key)
        return FALSE;
    rc = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

LONG ReadUserNumber(const char *subKey, const char *name, DWORD *value)
{
    return ReadSettingNumber(FALSE, subKey, name, value);
}

LONG ReadUserText(const char *subKey, const char *name, char *buffer, DWORD size)
{
    return ReadSettingText(FALSE, subKey, name, buffer, size);
}

BOOL WriteUserNumber(const char *subKey, const char *name, DWORD value)
{
    return WriteSettingNumber(FALSE, subKey, name, value);
}

BOOL WriteUserText(const char *subKey, const char *name, const char *text)
{
    return WriteSettingText(FALSE, subKey, name, text);
}

BOOL DeleteUserSetting(const char *subKey, const char *name)
{
    return DeleteSetting(FALSE, subKey, name);
}
