/* Registry access of the line simulator: every key is opened and closed
 * per call, so separate processes always see each other's changes. */
#include "profile.h"

void SimCopy(char *dest, const char *src, DWORD size)
{
    DWORD i = 0;
    if (!dest || size == 0)
        return;
    if (src)
        for (; i + 1 < size && src[i]; i++)
            dest[i] = src[i];
    dest[i] = 0;
}

static BOOL ReadRaw(const char *key, const char *name, DWORD wantType, void *out, DWORD *size)
{
    HKEY k;
    DWORD type = 0;
    LONG rc;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return FALSE;
    rc = RegQueryValueExA(k, name, NULL, &type, (BYTE *)out, size);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS && type == wantType;
}

static BOOL WriteRaw(const char *key, const char *name, DWORD type, const void *data, DWORD size)
{
    HKEY k;
    DWORD disposition;
    LONG rc;
    char keyClass[] = "";
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        NULL, &k, &disposition) != ERROR_SUCCESS)
        return FALSE;
    rc = RegSetValueExA(k, name, 0, type, (const BYTE *)data, size);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

BOOL SimReadNumber(const char *key, const char *name, DWORD *value)
{
    DWORD size = sizeof(*value);
    DWORD v = 0;
    if (!ReadRaw(key, name, REG_DWORD, &v, &size) || size != sizeof(v))
        return FALSE;
    *value = v;
    return TRUE;
}

BOOL SimReadText(const char *key, const char *name, char *out, DWORD size)
{
    DWORD got = size;
    if (!out || size == 0)
        return FALSE;
    out[0] = 0;
    if (!ReadRaw(key, name, REG_SZ, out, &got)) {
        out[0] = 0;
        return FALSE;
    }
    out[got < size ? got : size - 1] = 0;
    return TRUE;
}

BOOL SimReadBinary(const char *key, const char *name, void *out, DWORD *size)
{
    return ReadRaw(key, name, REG_BINARY, out, size);
}

BOOL SimWriteNumber(const char *key, const char *name, DWORD value)
{
    return WriteRaw(key, name, REG_DWORD, &value, sizeof(value));
}

BOOL SimWriteText(const char *key, const char *name, const char *text)
{
    return WriteRaw(key, name, REG_SZ, text, lstrlenA(text) + 1);
}

BOOL SimWriteBinary(const char *key, const char *name, const void *data, DWORD size)
{
    return WriteRaw(key, name, REG_BINARY, data, size);
}

BOOL SimKeyExists(const char *key)
{
    HKEY k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return FALSE;
    RegCloseKey(k);
    return TRUE;
}

BOOL SimDeleteKey(const char *parent, const char *child)
{
    HKEY k;
    LONG rc;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, parent, 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS)
        return FALSE;
    rc = RegDeleteKeyA(k, child);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

DWORD SimNumber(const char *name, DWORD fallback)
{
    DWORD value;
    return SimReadNumber(SIM_PROFILE, name, &value) ? value : fallback;
}

void SimText(const char *name, const char *fallback, char *out, DWORD size)
{
    if (!SimReadText(SIM_PROFILE, name, out, size))
        SimCopy(out, fallback, size);
}

BOOL SimHasValue(const char *name)
{
    HKEY k;
    LONG rc;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SIM_PROFILE, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return FALSE;
    rc = RegQueryValueExA(k, name, NULL, NULL, NULL, NULL);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}
