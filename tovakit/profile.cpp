/* Registry access of the line simulator: profile values with their
 * defaults, and the state that outlives a process. Every key is opened and
 * closed per call, so separate processes always see each other's changes. */
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

BOOL SimAppend(char *dest, const char *src, DWORD size)
{
    DWORD used = (DWORD)lstrlenA(dest), add = (DWORD)lstrlenA(src);
    if (used + add >= size)
        return FALSE;
    CopyMemory(dest + used, src, add + 1);
    return TRUE;
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
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, keyClass, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, NULL, &k,
                        &disposition) != ERROR_SUCCESS)
        return FALSE;
    rc = RegSetValueExA(k, name, 0, type, (const BYTE *)data, size);
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
}

BOOL SimReadNumber(const char *key, const char *name, DWORD *value)
{
    DWORD size = sizeof(DWORD), v = 0;
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
    /* A text longer than the buffer counts as missing. */
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
    if (!text)
        text = "";
    return WriteRaw(key, name, REG_SZ, text, (DWORD)lstrlenA(text) + 1);
}

BOOL SimWriteBinary(const char *key, const char *name, const void *data, DWORD size)
{
    return WriteRaw(key, name, REG_BINARY, data, size);
}

BOOL SimUpdateNumber(const char *key, const char *name, DWORD value)
{
    HKEY k;
    LONG rc;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS)
        return FALSE;
    rc = RegSetValueExA(k, name, 0, REG_DWORD, (const BYTE *)&value, sizeof(value));
    RegCloseKey(k);
    return rc == ERROR_SUCCESS;
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

BOOL SimListItem(const char *name, const char *fallback, DWORD index, char *out, DWORD size)
{
    char list[1024];
    const char *p;
    DWORD i;
    if (!out || size == 0)
        return FALSE;
    SimText(name, fallback, list, sizeof(list));
    p = list;
    if (!*p)
        return FALSE;
    for (i = 0;; i++) {
        const char *end = p;
        while (*end && *end != '|')
            end++;
        if (i == index) {
            DWORD len = (DWORD)(end - p);
            if (len >= size)
                len = size - 1;
            CopyMemory(out, p, len);
            out[len] = 0;
            return TRUE;
        }
        if (!*end)
            return FALSE;
        p = end + 1;
    }
}

BOOL SimListHas(const char *name, const char *fallback, const char *item)
{
    char found[260];
    DWORD i;
    for (i = 0; SimListItem(name, fallback, i, found, sizeof(found)); i++)
        if (lstrcmpiA(found, item) == 0)
            return TRUE;
    return FALSE;
}

BOOL SimRecordSizeOk(DWORD size, DWORD win95Size, DWORD sdkSize)
{
    if (size == win95Size)
        return TRUE;
    return size == sdkSize && !SimNumber("StrictSizes", 0);
}
