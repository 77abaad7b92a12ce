/* The access-number list: the service's nationwide numbers (member numbers
 * first for plus members) followed by the numbers of the member's area, read
 * from the phone book that start-up imports. Its first item is the number
 * the next dial uses; the entry is pointed at the member's saved choice. */
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/connect/connect.h"
#include "dialer/connect/numbers.h"
#include "dialer/connect/tokens.h"
#include <string.h>

#define PHONE_VALUE_SIZE   256
#define NO_SECOND_COMMA    ERROR_INVALID_DATA      /* 13: value skipped */

struct SavedChoice {
    const char *area;
    const char *number;
    WORD type;
};

struct ChosenNumber {
    char area[ACCESS_AREA_SIZE];
    char number[ACCESS_NUMBER_SIZE];
    BOOL matched;
};

static DWORD TokenFlag(const char *token, int len)
{
    static const struct { const char *name; DWORD flag; } TOKENS[] = {
        {"56000V90", ACCESS_FLAG_V90}, {"28800", ACCESS_FLAG_28800}, {"ISDN128", ACCESS_FLAG_ISDN},
    };
    unsigned i;
    for (i = 0; i < sizeof(TOKENS) / sizeof(TOKENS[0]); i++)
        if (lstrlenA(TOKENS[i].name) == len &&
            CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, token, len, TOKENS[i].name, len) == CSTR_EQUAL)
            return TOKENS[i].flag;
    return 0;
}

static DWORD ModemFlags(const char *part, const char *end)
{
    DWORD flags = 0;
    while (part < end) {
        const char *token;
        while (part < end && *part == ' ')
            part++;
        token = part;
        while (part < end && *part != ' ')
            part++;
        if (part > token)
            flags |= TokenFlag(token, (int)(part - token));
    }
    return flags;
}

static DWORD LetterFlags(const char *part)
{
    DWORD flags = 0;
    for (; *part; part++) {
        switch (*part) {
        case '0': flags |= ACCESS_FLAG_0; break;
        case 'H': flags |= ACCESS_FLAG_H; break;
        case 'P': flags |= ACCESS_FLAG_P; break;
        case 'S': flags |= ACCESS_FLAG_S; break;
        }
    }
    return flags;
}

/* Splits "number, modem tokens, flag letters" into the number and its flags. */
DWORD ParseAccessNumber(const char *value, char *number, DWORD *flags)
{
    const char *first, *second, *start, *end;
    int len;

    number[0] = 0;
    *flags = 0;
    first = value;
    while (*first && *first != ',')
        first++;
    if (!*first)
        return NO_SECOND_COMMA;
    second = first + 1;
    while (*second && *second != ',')
        second++;
    if (!*second)
        return NO_SECOND_COMMA;
    start = value;
    while (start < first && *start == ' ')
        start++;
    end = first;
    while (end > start && end[-1] == ' ')
        end--;
    len = (int)(end - start);
    /* A number that does not fit is skipped, never cut: a cut number would
     * dial a stranger. */
    if (len >= ACCESS_NUMBER_SIZE)
        return NO_SECOND_COMMA;
    CopyMemory(number, start, len);
    number[len] = 0;
    *flags = ModemFlags(first + 1, second) | LetterFlags(second + 1);
    return 0;
}

DWORD ReadAccessNumber(const char *area, int n, char *number, DWORD *flags)
{
    char key[64], name[16], value[PHONE_VALUE_SIZE];
    LONG rc;

    number[0] = 0;
    *flags = 0;
    CopyText(key, SettingName(SET_PHONEBOOK), sizeof(key));
    if (area && area[0]) {
        AppendText(key, "\\", sizeof(key));
        AppendText(key, area, sizeof(key));
    }
    wsprintfA(name, "%s%d", SettingName(SET_PHONE), n);
    rc = ReadSettingText(TRUE, key, name, value, sizeof(value));
    if (rc != 0)
        return (DWORD)rc;
    return ParseAccessNumber(value, number, flags);
}

static AccessNumber *AppendItem(AccessNumber ***tail, const char *area, const char *number, DWORD flags, WORD type)
{
    AccessNumber *item = (AccessNumber *)LocalAlloc(LPTR, sizeof(AccessNumber));
    if (!item)
        return NULL;
    CopyText(item->Area, area, sizeof(item->Area));
    CopyText(item->Number, number, sizeof(item->Number));
    item->Flags = flags;
    item->Type = type;
    **tail = item;
    *tail = &item->Next;
    return item;
}

static void NoteChoice(ChosenNumber *chosen, const char *area, const char *number)
{
    if (!chosen->number[0])
        CopyText(chosen->number, number, sizeof(chosen->number));
    if (!chosen->area[0])
        CopyText(chosen->area, area, sizeof(chosen->area));
}

static void Choose(ChosenNumber *chosen, const char *area, const char *number)
{
    CopyText(chosen->area, area, sizeof(chosen->area));
    CopyText(chosen->number, number, sizeof(chosen->number));
    chosen->matched = TRUE;
}

/* Nationwide pass; returns the index that ended it, or 0 when an item could
 * not be allocated. */
static int ReadNationwide(AccessNumber ***tail, const SavedChoice *saved, ChosenNumber *chosen)
{
    char number[ACCESS_NUMBER_SIZE];
    DWORD flags, rc;
    int n;

    for (n = 1;; n++) {
        rc = ReadAccessNumber(NULL, n, number, &flags);
        if (rc == NO_SECOND_COMMA)
            continue;
        if (rc != 0)
            return n;
        if (Current.PlusUser && (flags & ACCESS_FLAG_P)) {
            if (!AppendItem(tail, "", number, flags, ACCESS_MEMBER))
                return 0;
            if (!Current.DialPrefix[0] && saved->type == ACCESS_MEMBER && lstrcmpiA(saved->number, number) == 0)
                Choose(chosen, " ", number);
            NoteChoice(chosen, " ", number);
        }
        if (!AppendItem(tail, "", number, flags, ACCESS_MENU))
            return 0;
        if (!Current.DialPrefix[0] && saved->type == ACCESS_MENU && lstrcmpiA(saved->number, number) == 0)
            Choose(chosen, " ", number);
        NoteChoice(chosen, " ", number);
    }
}

static void ReadArea(AccessNumber ***tail, int n, const SavedChoice *saved, ChosenNumber *chosen)
{
    char number[ACCESS_NUMBER_SIZE];
    DWORD flags, rc;

    for (;; n++) {
        WORD type;
        rc = ReadAccessNumber(Current.Area, n, number, &flags);
        if (rc == NO_SECOND_COMMA)
            continue;
        if (rc != 0)
            return;
        type = (flags & ACCESS_FLAG_ISDN) ? ACCESS_ISDN : ACCESS_AREA;
        if (!AppendItem(tail, Current.Area, number, flags, type))
            return;
        if (lstrcmpiA(Current.Area, saved->area) == 0 && lstrcmpiA(number, saved->number) == 0 &&
            type == saved->type)
            Choose(chosen, Current.Area, number);
        NoteChoice(chosen, Current.Area, number);
    }
}

void BuildAccessNumbers(HWND window, LoginWindowState *state)
{
    AccessNumber **tail;
    SavedChoice saved;
    ChosenNumber chosen;
    RASENTRYA *entry;
    int stop;

    (void)window;
    ReleaseAccessNumbers(state);
    saved.area = Current.DialArea;
    saved.number = Current.DialNumber;
    saved.type = LOWORD(Current.DialFlag);
    ZeroMemory(&chosen, sizeof(chosen));
    tail = &state->AccessNumbers;

    stop = ReadNationwide(&tail, &saved, &chosen);
    if (stop)
        ReadArea(&tail, Current.Area[0] ? 1 : stop + 1, &saved, &chosen);
    CutTrailingSpaces(chosen.area);

    if (!state->EntryBuffer)
        return;
    entry = (RASENTRYA *)state->EntryBuffer;
    if (chosen.matched && lstrcmpA(entry->szAreaCode, chosen.area) == 0 &&
        strstr(entry->szLocalPhoneNumber, chosen.number) != NULL)
        return;
    CopyText(entry->szAreaCode, chosen.area, sizeof(entry->szAreaCode));
    CopyText(entry->szLocalPhoneNumber, Current.DialPrefix, sizeof(entry->szLocalPhoneNumber));
    AppendText(entry->szLocalPhoneNumber, chosen.number, sizeof(entry->szLocalPhoneNumber));
    state->EntryChanged = TRUE;
    CopyText(Current.DialArea, chosen.area, sizeof(Current.DialArea));
    CopyText(Current.DialNumber, chosen.number, sizeof(Current.DialNumber));
    WriteUserText(NULL, SettingName(SET_DIALPREFIX), Current.DialPrefix);
    WriteUserText(NULL, SettingName(SET_DIALAREA), Current.DialArea);
    WriteUserText(NULL, SettingName(SET_DIALNUMBER), Current.DialNumber);
}

void ReleaseAccessNumbers(LoginWindowState *state)
{
    while (state->AccessNumbers) {
        AccessNumber *next = state->AccessNumbers->Next;
        LocalFree(state->AccessNumbers);
        state->AccessNumbers = next;
    }
}

const AccessNumber *FirstAccessNumber(const LoginWindowState *state)
{
    return state ? state->AccessNumbers : NULL;
}
