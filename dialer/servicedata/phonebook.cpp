/* Import of the shipped phone book PHONE.INI into the machine-wide
 * "PhoneBook" key: the packed version, the date, the nationwide access
 * numbers, and one sub-key per access area with its description and
 * numbers. Entries are copied verbatim; the number list reads them later. */
#include "dialer/core/app.h"
#include "dialer/servicedata/listfiles.h"
#include "dialer/servicedata/servicedata.h"

#define VALUE_NAME_SIZE 32

/* Copies Phone1, Phone2, ... of section to key up to the first empty or
 * missing one. */
static void CopyPhones(const char *path, const char *section, HKEY key)
{
    const char *phone = SettingName(SET_PHONE);
    char name[VALUE_NAME_SIZE], value[INI_VALUE_SIZE];
    int n;

    for (n = 1; n > 0; n++) {
        wsprintfA(name, "%s%d", phone, n);
        ReadIniValue(path, section, name, value, sizeof(value));
        if (!value[0])
            break;
        StoreText(key, name, value);
    }
}

/* An area section's name becomes a registry key name: it must be there,
 * short enough, and name a single key (no backslash). */
static BOOL UsableAreaName(const char *name)
{
    int len = lstrlenA(name), i;
    if (len == 0 || len > AREA_SECTION_MAX)
        return FALSE;
    for (i = 0; i < len; i++) {
        if (IsDBCSLeadByte((BYTE)name[i]) && name[i + 1]) {
            i++;
            continue;
        }
        if (name[i] == '\\')
            return FALSE;
    }
    return TRUE;
}

static void CopyArea(const char *path, HKEY list, const char *area)
{
    char desc[INI_VALUE_SIZE];
    HKEY key = OpenListSubKey(list, area);
    if (!key)
        return;
    ReadIniValue(path, area, SettingName(SET_DESC), desc, sizeof(desc));
    StoreText(key, SettingName(SET_DESC), desc);
    CopyPhones(path, area, key);
    RegCloseKey(key);
}

int ImportPhoneBook(const char *path)
{
    const char *section = SettingName(SET_PHONEBOOK);
    char value[INI_VALUE_SIZE], name[VALUE_NAME_SIZE];
    long count, n;
    HKEY list = BeginListImport(path, section);

    if (!list)
        return 0;
    CopyPhones(path, section, list);

    count = ReadIniNumber(path, section, "SubCount");
    if (count > LIST_SECTION_LIMIT)
        count = LIST_SECTION_LIMIT;
    for (n = 1; n <= count; n++) {
        wsprintfA(name, "Sub%ld", n);
        ReadIniValue(path, section, name, value, sizeof(value));
        if (UsableAreaName(value))
            CopyArea(path, list, value);
    }
    RegCloseKey(list);
    return 1;
}
