/* Text token routines shared by the script-file check, the phone-book
 * reader, the login inputs and the browser detection, and the packing of
 * "major.minor" version texts that the script files and the shipped lists
 * carry. Spaces and double quotes are never the second byte of a Korean
 * double-byte character, so scanning byte by byte for them is safe; only
 * cuts at a buffer's capacity must respect character boundaries. */
#include "dialer/connect/tokens.h"
#include "shared/settings.h"

static char Shared[TOKEN_SIZE];

char *SharedToken(void)
{
    return Shared;
}

int CutTrailingSpaces(char *text)
{
    int len;
    if (!text)
        return 0;
    len = lstrlenA(text);
    while (len > 0 && text[len - 1] == ' ')
        text[--len] = 0;
    return len;
}

const char *SkipSpaces(const char *text)
{
    if (!text)
        return "";
    while (*text == ' ')
        text++;
    return text;
}

int TokenLength(const char *text)
{
    const char *p = SkipSpaces(text);
    int len = 0;
    while (p[len] && p[len] != ' ')
        len++;
    return len;
}

/* Copies len bytes of from into out (size bytes), cut at size - 1 on a
 * character boundary (the bounded copy's rule), and terminates it. */
static void CopySpan(char *out, int size, const char *from, int len)
{
    if (!out) {
        out = Shared;
        size = sizeof(Shared);
    }
    if (size <= 0)
        return;
    CopyText(out, from, (size_t)(len + 1 < size ? len + 1 : size));
}

const char *CopyToken(const char *text, char *out, int size)
{
    const char *start = SkipSpaces(text);
    const char *end = start;
    while (*end && *end != ' ')
        end++;
    CopySpan(out, size, start, (int)(end - start));
    return end;
}

void CopyQuotedToken(const char *text, char *out, int size)
{
    const char *start = SkipSpaces(text);
    const char *end;
    if (*start == '"') {
        start++;
        end = start;
        while (*end && *end != '"')
            end++;
    } else {
        end = start;
        while (*end && *end != ' ')
            end++;
    }
    CopySpan(out, size, start, (int)(end - start));
}

long DecimalValue(const char *text)
{
    unsigned long value = 0;
    BOOL negative = FALSE;
    if (!text)
        return 0;
    while (*text == ' ' || *text == '\t')
        text++;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        text++;
    }
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + (unsigned long)(*text - '0');
        text++;
    }
    if (negative)
        value = 0 - value;
    return (long)value;
}

DWORD PackVersion(const char *text)
{
    const char *dot = text;
    DWORD major, minor = 0;
    if (!text)
        return 0;
    while (*dot && *dot != '.')
        dot++;
    major = (DWORD)DecimalValue(text) & 0xFF;
    if (*dot == '.')
        minor = (DWORD)DecimalValue(dot + 1) & 0xFF;
    return (major << 24) | (minor << 16);
}
