/* Short and long path names. System installers on Windows 95 want short
 * (8.3) paths, while browser paths are shown and stored in their long
 * form; both conversions look up one prefix of the path at a time with
 * find-first-file and splice the name it reports into the path. */
#include "dialer/core/app.h"
#include "dialer/core/paths.h"

/* The next position in text, stepping over double-byte characters whole. */
static int NextChar(const char *text, int i)
{
    if (IsDBCSLeadByte((BYTE)text[i]) && text[i + 1])
        return i + 2;
    return text[i] ? i + 1 : i;
}

/* Position of the next backslash at or after i, or of the terminator. */
static int ComponentEnd(const char *text, int i)
{
    while (text[i] && text[i] != '\\')
        i = NextChar(text, i);
    return i;
}

static void CopyOut(const char *work, char *out, int outSize)
{
    if (!out || outSize <= 0)
        return;
    CopyText(out, work, outSize < PATH_SIZE ? (size_t)outSize : PATH_SIZE);
}

/* Asks the file system about the prefix work[0 .. end) and gives its find
 * data. A prefix with wildcards would match some other entry, so it counts
 * as not found. */
static BOOL FindPrefix(char *work, int end, WIN32_FIND_DATAA *found)
{
    char keep = work[end];
    HANDLE search;
    int i;

    work[end] = 0;
    for (i = 0; work[i]; i = NextChar(work, i))
        if (work[i] == '*' || work[i] == '?') {
            work[end] = keep;
            return FALSE;
        }
    search = FindFirstFileA(work, found);
    work[end] = keep;
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    found->cFileName[sizeof(found->cFileName) - 1] = 0;
    found->cAlternateFileName[sizeof(found->cAlternateFileName) - 1] = 0;
    return TRUE;
}

/* Replaces work[start .. end) by name. FALSE, with work unchanged, when
 * the result would not fit a path. */
static BOOL Splice(char *work, int start, int end, const char *name)
{
    char rest[PATH_SIZE];
    int nameLen = lstrlenA(name), restLen = lstrlenA(work + end);

    if (start + nameLen + restLen >= PATH_SIZE)
        return FALSE;
    CopyText(rest, work + end, sizeof(rest));
    CopyMemory(work + start, name, nameLen);
    CopyMemory(work + start + nameLen, rest, restLen + 1);
    return TRUE;
}

int ToShortPath(const char *path, char *out, int outSize)
{
    char work[PATH_SIZE];
    WIN32_FIND_DATAA found;
    int start, end, result = 0;

    CopyText(work, path, sizeof(work));
    start = ComponentEnd(work, 0);
    if (!work[start]) {
        CopyOut(work, out, outSize);
        return 0;
    }
    start++;
    while (work[start]) {
        const char *name;
        end = ComponentEnd(work, start);
        if (end == start) {     /* an empty component, as in "a\\b" */
            start++;
            continue;
        }
        if (!FindPrefix(work, end, &found)) {
            work[end] = 0;
            break;
        }
        name = found.cAlternateFileName[0] ? found.cAlternateFileName : found.cFileName;
        if (Splice(work, start, end, name))
            end = start + lstrlenA(name);
        result = 1;
        start = work[end] ? end + 1 : end;
    }
    CopyOut(work, out, outSize);
    return result;
}

int ToLongPath(const char *path, char *out, int outSize)
{
    char work[PATH_SIZE];
    WIN32_FIND_DATAA found;
    int scan = 0, result = 0;

    CopyText(work, path, sizeof(work));
    /* Everything before scan is done, so a long name that itself holds a
     * "~" is never looked up again. */
    for (;;) {
        int tilde = scan, start = 0, end, i;
        while (work[tilde] && work[tilde] != '~')
            tilde = NextChar(work, tilde);
        if (!work[tilde])
            break;
        for (i = 0; i < tilde; i = NextChar(work, i))
            if (work[i] == '\\')
                start = i + 1;
        end = ComponentEnd(work, tilde);
        if (!FindPrefix(work, end, &found)) {
            work[end] = 0;
            break;
        }
        if (Splice(work, start, end, found.cFileName)) {
            end = start + lstrlenA(found.cFileName);
            result = 1;
        }
        scan = end;
    }
    CopyOut(work, out, outSize);
    return result;
}
