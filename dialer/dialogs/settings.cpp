/* The settings dialog: modem, browser, starting the mail program after
 * connecting, access area and outside-line prefix. The three drop-down
 * lists are backed by lists of their own, and each box item carries its
 * item's position in that list, so a box that sorts its entries still
 * leads to the right item. Nothing is stored before OK, except the default
 * browser when the stored one is no longer installed. */
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/dialogs/dialogs.h"
#include "dialer/web/browser.h"
#include "shared/dialogs.h"
#include "resource.h"
#include "tovakit.h"

#define MODEM_ITEM_NAME_SIZE   128
#define AREA_ITEM_DESC_SIZE    32     /* at most 31 characters */
#define AREA_ITEM_KEY_SIZE     8      /* at most 7 characters */
#define BROWSER_ITEM_PATH_SIZE 256    /* at most 255 characters */
#define BROWSER_ITEM_NAME_SIZE 82
#define PREFIX_LIMIT           5      /* outside-line prefix, comma included */
#define DEFAULT_PREFIX         "9,"
#define MAX_MODEMS_LISTED      64
#define MAX_INSTALLATIONS      32

struct ModemItem {
    DWORD Index;
    char Name[MODEM_ITEM_NAME_SIZE];
    ModemItem *Next;
};

struct AreaItem {
    char Desc[AREA_ITEM_DESC_SIZE];
    char Key[AREA_ITEM_KEY_SIZE];
    AreaItem *Next;
};

struct BrowserItem {
    WORD Type;
    char Path[BROWSER_ITEM_PATH_SIZE];
    char Name[BROWSER_ITEM_NAME_SIZE];
    BrowserItem *Next;
};

struct SettingsRecord {
    HWND Owner;
    char Modem[MODEM_NAME_SIZE];
    char BrowserPath[MAX_PATH];
    WORD BrowserType;
    char StartPage[URL_SIZE];
    DWORD PlusUser;
    DWORD ActEmail;
    DWORD PrefixOn;
    char Prefix[DIAL_PREFIX_SIZE];
    char Area[AREA_SIZE];
    ModemItem *Modems;
    AreaItem *Areas;
    BrowserItem *Browsers;
};

static SettingsRecord *RecordOf(HWND dialog)
{
    return (SettingsRecord *)GetWindowLongPtrA(dialog, DWLP_USER);
}

/* ---- The lists ---------------------------------------------------------- */

static void *NewItem(size_t size)
{
    return LocalAlloc(LPTR, size);
}

static void FreeLists(SettingsRecord *record)
{
    while (record->Modems) {
        ModemItem *next = record->Modems->Next;
        LocalFree(record->Modems);
        record->Modems = next;
    }
    while (record->Areas) {
        AreaItem *next = record->Areas->Next;
        LocalFree(record->Areas);
        record->Areas = next;
    }
    while (record->Browsers) {
        BrowserItem *next = record->Browsers->Next;
        LocalFree(record->Browsers);
        record->Browsers = next;
    }
}

/* Copies at most size - 1 bytes without splitting a double-byte character. */
static void CopyShownText(char *dest, const char *src, int size)
{
    int n = 0;
    const char *p = src;
    while (*p) {
        const char *next = CharNextA(p);
        if (n + (int)(next - p) > size - 1)
            break;
        n += (int)(next - p);
        p = next;
    }
    CopyMemory(dest, src, n);
    dest[n] = 0;
}

/* Adds text to the box with the list position as item data; the box's
 * index of the new entry, or CB_ERR. */
static int AddBoxItem(HWND dialog, int id, const char *text, int position)
{
    int index = (int)SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, (LPARAM)text);
    if (index == CB_ERR || index == CB_ERRSPACE)
        return CB_ERR;
    SendDlgItemMessageA(dialog, id, CB_SETITEMDATA, index, (LPARAM)position);
    return index;
}

/* Selects the box entry whose item data is the list position; the box may
 * have sorted its entries since they were added. */
static BOOL SelectPosition(HWND dialog, int id, int position)
{
    int count = (int)SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0), i;
    for (i = 0; i < count; i++) {
        if ((int)SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, i, 0) == position) {
            SendDlgItemMessageA(dialog, id, CB_SETCURSEL, i, 0);
            return TRUE;
        }
    }
    return FALSE;
}

/* The list position behind the box's selection; -1 when there is none. */
static int SelectedPosition(HWND dialog, int id)
{
    int index = GetComboSelection(dialog, id);
    LRESULT data;
    if (index < 0)
        return -1;
    data = SendDlgItemMessageA(dialog, id, CB_GETITEMDATA, index, 0);
    return data == CB_ERR ? -1 : (int)data;
}

void FillModemList(HWND dialog, int id)
{
    SettingsRecord *record = RecordOf(dialog);
    ModemItem **tail;
    char name[RAS_MaxDeviceName + 1];
    int count = 0, chosen = -1;
    DWORD n;

    if (!record)
        return;
    tail = &record->Modems;
    for (n = 0; n < MAX_MODEMS_LISTED; n++) {
        DWORD index = n;
        ModemItem *item;
        name[0] = 0;
        if (TkEnumModem(name, &index, 0, NULL, NULL, DebugMode) != 0)
            break;
        name[sizeof(name) - 1] = 0;
        item = (ModemItem *)NewItem(sizeof(ModemItem));
        if (!item)
            break;
        item->Index = index;
        CopyText(item->Name, name, sizeof(item->Name));
        *tail = item;
        tail = &item->Next;
        if (AddBoxItem(dialog, id, item->Name, count) != CB_ERR && chosen < 0 &&
            lstrcmpiA(item->Name, record->Modem) == 0)
            chosen = count;
        count++;
    }
    if (chosen < 0 || !SelectPosition(dialog, id, chosen))
        SendDlgItemMessageA(dialog, id, CB_SETCURSEL, 0, 0);
}

/* Appends a browser to the list and the box; the item when the box took it. */
static BrowserItem *AddBrowser(HWND dialog, int id, BrowserItem ***tail, int *count, WORD type, const char *name,
                               const char *path)
{
    BrowserItem *item;
    /* A path too long for the list is left out rather than cut into the
       path of some other program. */
    if (!path[0] || lstrlenA(path) >= BROWSER_ITEM_PATH_SIZE)
        return NULL;
    item = (BrowserItem *)NewItem(sizeof(BrowserItem));
    if (!item)
        return NULL;
    item->Type = type;
    CopyText(item->Path, path, sizeof(item->Path));
    CopyShownText(item->Name, name, sizeof(item->Name));
    **tail = item;
    *tail = &item->Next;
    return AddBoxItem(dialog, id, item->Name, (*count)++) == CB_ERR ? NULL : item;
}

void FillBrowserList(HWND dialog, int id)
{
    SettingsRecord *record = RecordOf(dialog);
    BrowserItem **tail, *item;
    char stored[MAX_PATH], defaultPath[MAX_PATH], name[BROWSER_NAME_SIZE], path[MAX_PATH];
    int count = 0, storedChoice = -1, defaultChoice = -1, n, found;
    WORD defaultType;

    if (!record)
        return;
    tail = &record->Browsers;
    ReadUserText(NULL, SettingName(SET_BROWSERPATH), stored, sizeof(stored));
    found = FindDefaultBrowser(NULL, defaultPath);
    defaultType = found < 0 ? (WORD)BROWSER_NONE : (WORD)found;
    if (found < 0)
        defaultPath[0] = 0;

    /* Every Communicator installation, then Navigator, then Explorer. */
    for (n = 0; n < MAX_INSTALLATIONS + 2; n++) {
        WORD type = BROWSER_COMMUNICATOR;
        if (n < MAX_INSTALLATIONS) {
            if (FindCommunicator(n, name, path) != 0) {
                n = MAX_INSTALLATIONS - 1;
                continue;
            }
        } else if (n == MAX_INSTALLATIONS) {
            type = BROWSER_NAVIGATOR;
            if (FindNavigator(name, path) != 0)
                continue;
        } else {
            type = BROWSER_EXPLORER;
            if (FindInternetExplorer(name, path) != 0)
                continue;
        }
        item = AddBrowser(dialog, id, &tail, &count, type, name, path);
        if (!item)
            continue;
        if (storedChoice < 0 && lstrcmpiA(item->Path, stored) == 0)
            storedChoice = count - 1;
        if (defaultChoice < 0 && lstrcmpiA(item->Path, defaultPath) == 0)
            defaultChoice = count - 1;
    }

    /* A default browser of another kind is listed last, with its own type. */
    if (defaultPath[0] && defaultChoice < 0) {
        found = FindDefaultBrowser(name, path);
        if (found >= 0) {
            item = AddBrowser(dialog, id, &tail, &count, (WORD)found, name, path);
            if (item) {
                defaultChoice = count - 1;
                if (storedChoice < 0 && lstrcmpiA(item->Path, stored) == 0)
                    storedChoice = count - 1;
            }
        }
    }

    if (storedChoice >= 0 && SelectPosition(dialog, id, storedChoice))
        return;
    if (defaultChoice >= 0 && SelectPosition(dialog, id, defaultChoice)) {
        /* The stored browser is gone: the default one takes its place now,
           whatever the member does with the dialog. */
        WriteUserText(NULL, SettingName(SET_BROWSERPATH), defaultPath);
        WriteUserNumber(NULL, SettingName(SET_BROWSERTYPE), defaultType);
        return;
    }
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, 0, 0);
}

void FillAreaList(HWND dialog, int id)
{
    SettingsRecord *record = RecordOf(dialog);
    AreaItem **tail, *item;
    char desc[AREA_DESC_SIZE], key[AREA_NAME_SIZE];
    int count = 0, chosen = -1, n;

    if (!record)
        return;
    item = (AreaItem *)NewItem(sizeof(AreaItem));
    if (!item)
        return;
    LoadText(IDS_AREA_NATIONWIDE, item->Desc, sizeof(item->Desc));
    record->Areas = item;
    tail = &item->Next;
    AddBoxItem(dialog, id, item->Desc, count++);

    for (n = 0; GetAccessArea(n, desc, key) == 0; n++) {
        /* An area whose key name does not fit the "Area" setting could never
           be chosen and found again; it is left out. */
        if (lstrlenA(key) >= AREA_SIZE)
            continue;
        item = (AreaItem *)NewItem(sizeof(AreaItem));
        if (!item)
            break;
        CopyShownText(item->Desc, desc, sizeof(item->Desc));
        CopyText(item->Key, key, sizeof(item->Key));
        *tail = item;
        tail = &item->Next;
        if (AddBoxItem(dialog, id, item->Desc, count) != CB_ERR && chosen < 0 && lstrcmpA(item->Key, record->Area) == 0)
            chosen = count;
        count++;
    }
    if (chosen < 0 || !SelectPosition(dialog, id, chosen))
        SendDlgItemMessageA(dialog, id, CB_SETCURSEL, 0, 0);
}

/* ---- The dialog ----------------------------------------------------------- */

static BOOL InitSettingsDialog(HWND dialog, SettingsRecord *record)
{
    SetWindowLongPtrA(dialog, DWLP_USER, (LONG_PTR)record);
    FillModemList(dialog, IDC_SET_MODEM);
    FillBrowserList(dialog, IDC_SET_BROWSER);
    FillAreaList(dialog, IDC_SET_AREA);
    if (GetDlgItem(dialog, IDC_SET_STARTPAGE))
        SetEditText(dialog, IDC_SET_STARTPAGE, URL_SIZE - 1, record->StartPage);
    if (GetDlgItem(dialog, IDC_SET_PLUSUSER))
        CheckDlgButton(dialog, IDC_SET_PLUSUSER, record->PlusUser ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SET_ACTEMAIL, record->ActEmail ? BST_CHECKED : BST_UNCHECKED);
    SetEditText(dialog, IDC_SET_PREFIX, PREFIX_LIMIT, record->Prefix);
    CheckDlgButton(dialog, IDC_SET_PREFIXON, record->PrefixOn ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, IDC_SET_PREFIX), record->PrefixOn ? TRUE : FALSE);
    CenterWindow(dialog, 0, record->Owner);
    return TRUE;
}

static void OnPrefixBox(HWND dialog)
{
    BOOL on = IsDlgButtonChecked(dialog, IDC_SET_PREFIXON) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_SET_PREFIX), on);
    if (on && GetWindowTextLengthA(GetDlgItem(dialog, IDC_SET_PREFIX)) == 0)
        SetDlgItemTextA(dialog, IDC_SET_PREFIX, DEFAULT_PREFIX);
}

/* Beeps and puts the focus on the control that needs the member's eye. */
static BOOL Refuse(HWND dialog, int id)
{
    MessageBeep(MB_OK);
    SendMessageA(dialog, WM_NEXTDLGCTL, (WPARAM)GetDlgItem(dialog, id), TRUE);
    return FALSE;
}

BOOL AcceptSettings(HWND dialog)
{
    SettingsRecord *record = RecordOf(dialog);
    char prefix[64];
    int position, length;
    AreaItem *area;
    BrowserItem *browser;
    ModemItem *modem;

    if (!record)
        return FALSE;
    position = SelectedPosition(dialog, IDC_SET_AREA);
    for (area = record->Areas; area && position > 0; position--)
        area = area->Next;
    if (position != 0 || !area)
        return Refuse(dialog, IDC_SET_AREA);
    position = SelectedPosition(dialog, IDC_SET_BROWSER);
    for (browser = record->Browsers; browser && position > 0; position--)
        browser = browser->Next;
    if (position != 0 || !browser)
        return Refuse(dialog, IDC_SET_BROWSER);
    position = SelectedPosition(dialog, IDC_SET_MODEM);
    for (modem = record->Modems; modem && position > 0; position--)
        modem = modem->Next;
    if (position != 0 || !modem)
        return Refuse(dialog, IDC_SET_MODEM);

    CopyText(record->Area, area->Key, sizeof(record->Area));
    record->BrowserType = browser->Type;
    CopyText(record->BrowserPath, browser->Path, sizeof(record->BrowserPath));
    CopyText(record->Modem, modem->Name, sizeof(record->Modem));
    if (GetDlgItem(dialog, IDC_SET_STARTPAGE))
        GetDlgItemTextA(dialog, IDC_SET_STARTPAGE, record->StartPage, sizeof(record->StartPage));
    if (GetDlgItem(dialog, IDC_SET_PLUSUSER))
        record->PlusUser = IsDlgButtonChecked(dialog, IDC_SET_PLUSUSER) == BST_CHECKED;
    record->ActEmail = IsDlgButtonChecked(dialog, IDC_SET_ACTEMAIL) == BST_CHECKED;

    if (IsDlgButtonChecked(dialog, IDC_SET_PREFIXON) != BST_CHECKED) {
        record->PrefixOn = 0;
        record->Prefix[0] = 0;
        return TRUE;
    }
    /* The prefix ends in a comma, the dial pause; with it, at most five
       characters. A longer text is refused, never cut. */
    length = GetDlgItemTextA(dialog, IDC_SET_PREFIX, prefix, sizeof(prefix));
    if (length <= 0 || length > PREFIX_LIMIT)
        return Refuse(dialog, IDC_SET_PREFIX);
    if (prefix[length - 1] != ',') {
        if (length + 1 > PREFIX_LIMIT)
            return Refuse(dialog, IDC_SET_PREFIX);
        AppendText(prefix, ",", sizeof(prefix));
    }
    CopyText(record->Prefix, prefix, sizeof(record->Prefix));
    record->PrefixOn = 1;
    return TRUE;
}

static INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return InitSettingsDialog(dialog, (SettingsRecord *)lParam);
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SET_PREFIXON:
            if (HIWORD(wParam) == BN_CLICKED)
                OnPrefixBox(dialog);
            return TRUE;
        case IDOK:
            if (AcceptSettings(dialog))
                EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

/* Stores a changed text setting: current value, per-user value, mask bit. */
static void KeepText(char *current, size_t size, const char *chosen, int name, DWORD bit, DWORD *mask)
{
    if (lstrcmpA(current, chosen) == 0)
        return;
    CopyText(current, chosen, size);
    WriteUserText(NULL, SettingName(name), current);
    *mask |= bit;
}

static void KeepNumber(DWORD *current, DWORD chosen, int name, DWORD bit, DWORD *mask)
{
    if (*current == chosen)
        return;
    *current = chosen;
    WriteUserNumber(NULL, SettingName(name), chosen);
    *mask |= bit;
}

BOOL OpenSettingsDialog(HWND owner, DWORD *changes)
{
    SettingsRecord record;
    DWORD mask = 0, plus, email;
    INT_PTR result;

    if (changes)
        *changes = 0;
    ZeroMemory(&record, sizeof(record));
    record.Owner = owner;
    CopyText(record.Modem, Current.Modem, sizeof(record.Modem));
    CopyText(record.BrowserPath, Current.BrowserPath, sizeof(record.BrowserPath));
    record.BrowserType = Current.BrowserType;
    CopyText(record.StartPage, Current.StartUpUrl, sizeof(record.StartPage));
    record.PlusUser = Current.PlusUser;
    record.ActEmail = Current.ActEmail;
    CopyText(record.Prefix, Current.DialPrefix, sizeof(record.Prefix));
    record.PrefixOn = record.Prefix[0] != 0;
    CopyText(record.Area, Current.Area, sizeof(record.Area));

    result = DialogBoxParamA(AppInstance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, SettingsDialogProc,
                             (LPARAM)&record);
    FreeLists(&record);
    if (result != IDOK)
        return FALSE;

    KeepText(Current.Modem, sizeof(Current.Modem), record.Modem, SET_MODEM, SETTINGS_MODEM, &mask);
    KeepText(Current.BrowserPath, sizeof(Current.BrowserPath), record.BrowserPath, SET_BROWSERPATH,
             SETTINGS_BROWSERPATH, &mask);
    if (Current.BrowserType != record.BrowserType) {
        Current.BrowserType = record.BrowserType;
        WriteUserNumber(NULL, SettingName(SET_BROWSERTYPE), record.BrowserType);
        mask |= SETTINGS_BROWSERTYPE;
    }
    KeepText(Current.StartUpUrl, sizeof(Current.StartUpUrl), record.StartPage, SET_STARTUPURL,
             SETTINGS_STARTPAGE, &mask);
    plus = record.PlusUser ? 1 : 0;
    KeepNumber(&Current.PlusUser, plus, SET_PLUSUSER, SETTINGS_PLUSUSER, &mask);
    KeepText(Current.Area, sizeof(Current.Area), record.Area, SET_AREA, SETTINGS_AREA, &mask);
    KeepText(Current.DialPrefix, sizeof(Current.DialPrefix), record.Prefix, SET_DIALPREFIX, SETTINGS_AREA, &mask);
    email = record.ActEmail ? 1 : 0;
    KeepNumber(&Current.ActEmail, email, SET_ACTEMAIL, SETTINGS_ACTEMAIL, &mask);
    if (changes)
        *changes = mask;
    return TRUE;
}
