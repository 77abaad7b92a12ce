/* Import of the shipped advertisement list AD.INI into the machine-wide
 * "Advertisement" key: the packed version, the date, the delay, and one
 * sub-key "ad<n>" per advertisement with its image file and address. */
#include "dialer/core/app.h"
#include "dialer/servicedata/listfiles.h"
#include "dialer/servicedata/servicedata.h"

#define AD_NAME_SIZE 32

int ImportAdList(const char *path)
{
    const char *section = SettingName(SET_ADVERTISEMENT);
    char value[INI_VALUE_SIZE], ad[AD_NAME_SIZE];
    long count, n;
    HKEY list = BeginListImport(path, section);

    if (!list)
        return 0;
    StoreNumber(list, SettingName(SET_DELAY), (DWORD)ReadIniNumber(path, section, SettingName(SET_DELAY)));

    count = ReadIniNumber(path, section, SettingName(SET_COUNT));
    if (count > LIST_SECTION_LIMIT)
        count = LIST_SECTION_LIMIT;
    for (n = 1; n <= count; n++) {
        HKEY key;
        wsprintfA(ad, "ad%ld", n);
        key = OpenListSubKey(list, ad);
        if (!key)
            continue;
        ReadIniValue(path, ad, SettingName(SET_IMAGE), value, sizeof(value));
        StoreText(key, SettingName(SET_IMAGE), value);
        ReadIniValue(path, ad, SettingName(SET_URL), value, sizeof(value));
        StoreText(key, SettingName(SET_URL), value);
        RegCloseKey(key);
    }
    RegCloseKey(list);
    return 1;
}
