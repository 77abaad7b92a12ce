/* JoinPath: the one rule by which the dialer builds every path. */
#include "dialer/core/app.h"

char *JoinPath(const char *directory, const char *name, char *out)
{
    char work[PATH_SIZE];
    int len;

    if (!out)
        return out;
    if (!name)
        name = "";
    if (name[0] == '\\' || (name[0] && name[1] == ':')) {
        CopyText(out, name, PATH_SIZE);
        return out;
    }
    CopyText(work, directory, sizeof(work));
    len = lstrlenA(work);
    /* A trailing backslash is found by walking the text, so that the second
     * byte of a double-byte character is never taken for one. */
    if (len > 0 && *CharPrevA(work, work + len) != '\\')
        AppendText(work, "\\", sizeof(work));
    AppendText(work, name, sizeof(work));
    CopyText(out, work, PATH_SIZE);
    return out;
}
