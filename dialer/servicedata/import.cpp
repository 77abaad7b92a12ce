/* The start-up load of the member's settings and the refresh of the
 * shipped service data. The phone book and the advertisement list reach
 * the machine as INI files in the data directory; each is copied into the
 * registry when its "Date" is newer than the stored one, or when the
 * registry holds no usable copy, and never read again after that. */
#include <string.h>
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/servicedata/listfiles.h"
#include "dialer/servicedata/servicedata.h"
#include "dialer/web/browser.h"
#include "resource.h"
#include "tovakit.h"

#define LOCATION_SIZE     512   /* the helper library's dialing location */
#define LOCATION_COUNTRY  84    /* 32-bit country code */
#define LOCATION_AREA     88    /* zero-terminated area code */
#define COUNTRY_KOREA     82
#define MESSAGE_SIZE      1025

typedef int (*ListImporter)(const char *path);

void DeleteListKey(const char *listName)
{
    HKEY root = OpenSettingsKey(TRUE, NULL, FALSE, NULL), list;
    char child[MAX_PATH];
    DWORD index = 0;

    if (!root)
        return;
    if (RegOpenKeyExA(root, listName, 0, KEY_ALL_ACCESS, &list) != ERROR_SUCCESS) {
        RegCloseKey(root);
        return;
    }
    RegCloseKey(list);
    /* Windows 95 deletes a key with everything under it; Windows NT
     * refuses while sub-keys remain, so those go first. */
    if (RegDeleteKeyA(root, listName) == ERROR_SUCCESS) {
        RegCloseKey(root);
        return;
    }
    if (RegOpenKeyExA(root, listName, 0, KEY_ALL_ACCESS, &list) == ERROR_SUCCESS) {
        for (;;) {
            DWORD len = sizeof(child);
            FILETIME written;
            if (RegEnumKeyExA(list, index, child, &len, NULL, NULL, NULL, &written) != ERROR_SUCCESS)
                break;
            /* The next sub-key moves into a deleted one's place. */
            if (RegDeleteKeyA(list, child) != ERROR_SUCCESS)
                index++;
        }
        RegCloseKey(list);
    }
    RegDeleteKeyA(root, listName);
    RegCloseKey(root);
}

/* Refreshes one list from its INI file: imports it when the file's date
 * sorts higher than the stored one (after deleting the old list), when no
 * date is stored, or when the stored version is 0. */
static void RefreshList(const char *fileName, const char *listName, ListImporter importer,
                        const char *caption)
{
    char path[PATH_SIZE], fileDate[LIST_DATE_SIZE], storedDate[LIST_DATE_SIZE];

    JoinPath(DataDirectory, fileName, path);
    ReadIniValue(path, listName, SettingName(SET_DATE), fileDate, sizeof(fileDate));
    if (ReadSettingText(TRUE, listName, SettingName(SET_DATE), storedDate, sizeof(storedDate)) == 0) {
        /* Dates compare byte by byte, unsigned, as strcmp does. */
        if (strcmp(fileDate, storedDate) > 0) {
            DeleteListKey(listName);
        } else {
            DWORD version = 0;
            ReadSettingNumber(TRUE, listName, SettingName(SET_VERSION), &version);
            if (version != 0)
                return;
        }
    }
    if (!importer(path)) {
        char text[MESSAGE_SIZE];
        FormatText(text, sizeof(text), IDS_INI_IMPORT_FAILED, path);
        ShowMessage(NULL, text, caption, MSG_ERROR, 0);
    }
}

static void LoadWorkDirectory(void)
{
    char dir[PATH_SIZE];
    LONG rc = ReadUserText(NULL, SettingName(SET_WORKDIR), dir, sizeof(dir));
    if (rc == 0)
        CopyText(WorkDirectory, dir, sizeof(WorkDirectory));
    else if (rc == ERROR_FILE_NOT_FOUND)
        WriteUserText(NULL, SettingName(SET_WORKDIR), WorkDirectory);
    JoinPath(WorkDirectory, "DATA", DataDirectory);
}

/* The stored browser, or the default browser found now (and stored). */
static void LoadBrowser(void)
{
    char path[PATH_SIZE];
    DWORD type = 0;
    LONG pathRead = ReadUserText(NULL, SettingName(SET_BROWSERPATH), path, sizeof(path));
    LONG typeRead = ReadUserNumber(NULL, SettingName(SET_BROWSERTYPE), &type);
    int found;

    if (pathRead == 0 && typeRead == 0) {
        CopyText(Current.BrowserPath, path, sizeof(Current.BrowserPath));
        Current.BrowserType = LOWORD(type);
        return;
    }
    found = FindDefaultBrowser(NULL, path);
    if (found < 0) {
        Current.BrowserPath[0] = 0;
        Current.BrowserType = BROWSER_NONE;
        return;
    }
    CopyText(Current.BrowserPath, path, sizeof(Current.BrowserPath));
    Current.BrowserType = (WORD)(found & 0xFFFF);
    WriteUserText(NULL, SettingName(SET_BROWSERPATH), Current.BrowserPath);
    WriteUserNumber(NULL, SettingName(SET_BROWSERTYPE), Current.BrowserType);
}

static void LoadStartPage(void)
{
    char page[PATH_SIZE];
    if (ReadUserText(NULL, SettingName(SET_STARTUPURL), Current.StartUpUrl, sizeof(Current.StartUpUrl)) == 0)
        return;
    ZeroMemory(page, sizeof(page));
    TkGetStartPage(page);
    page[sizeof(page) - 1] = 0;
    WriteUserText(NULL, SettingName(SET_STARTUPURL), page);
    /* The member's first connection opens the default page as well. */
    CopyText(Current.StartUpUrl, page, sizeof(Current.StartUpUrl));
}

/* The member's access area: the stored one, or the area code of the
 * telephony service's current location with its leading zero. */
static void LoadArea(void)
{
    BYTE location[LOCATION_SIZE];
    char area[AREA_SIZE];
    DWORD country = 0;

    if (ReadUserText(NULL, SettingName(SET_AREA), Current.Area, sizeof(Current.Area)) == 0)
        return;
    if (!TkCheckTelephony())
        return;
    area[0] = 0;
    ZeroMemory(location, sizeof(location));
    if (TkGetDialingLocation(location) == 0) {
        const char *code = (const char *)location + LOCATION_AREA;
        location[LOCATION_SIZE - 1] = 0;
        CopyMemory(&country, location + LOCATION_COUNTRY, sizeof(country));
        if (country == COUNTRY_KOREA && lstrlenA(code) < AREA_SIZE - 1) {
            if (code[0] != '0')
                CopyText(area, "0", sizeof(area));
            AppendText(area, code, sizeof(area));
        }
    }
    CopyText(Current.Area, area, sizeof(Current.Area));
    WriteUserText(NULL, SettingName(SET_AREA), area);
}

static void LoadOtherSettings(void)
{
    DWORD value;
    if (ReadUserNumber(NULL, SettingName(SET_SAVEPASSWORD), &value) == 0)
        Current.SavePassword = value != 0;
    Current.PlusUser = 1;
    if (ReadUserNumber(NULL, SettingName(SET_PLUSUSER), &value) == 0)
        Current.PlusUser = value != 0;
    ReadUserNumber(NULL, SettingName(SET_ACTEMAIL), &Current.ActEmail);
    ReadUserText(NULL, SettingName(SET_DIALPREFIX), Current.DialPrefix, sizeof(Current.DialPrefix));
    ReadUserText(NULL, SettingName(SET_DIALAREA), Current.DialArea, sizeof(Current.DialArea));
    ReadUserText(NULL, SettingName(SET_DIALNUMBER), Current.DialNumber, sizeof(Current.DialNumber));
    ReadUserNumber(NULL, SettingName(SET_DIALFLAG), &Current.DialFlag);
    ReadUserText(NULL, SettingName(SET_MODEM), Current.Modem, sizeof(Current.Modem));
}

void ImportServiceData(void)
{
    ZeroMemory(&Current, sizeof(Current));
    LoadWorkDirectory();
    LoadBrowser();
    LoadStartPage();
    RefreshList("PHONE.INI", SettingName(SET_PHONEBOOK), ImportPhoneBook, "PHONEBOOK");
    RefreshList("AD.INI", SettingName(SET_ADVERTISEMENT), ImportAdList, "ADVERTISEMENT");
    LoadArea();
    LoadOtherSettings();
}
