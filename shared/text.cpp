/* Bounded text copies used throughout both programs: every buffer has a
 * fixed capacity and a text that does not fit is cut at it, never in the
 * middle of a double-byte (Hangul) character. */
#include "shared/settings.h"

void CopyText(char *dest, const char *src, size_t size)
{
    size_t i = 0;
    if (!dest || size == 0)
        return;
    if (src) {
        while (i + 1 < size && src[i]) {
            if (IsDBCSLeadByte((BYTE)src[i]) && src[i + 1]) {
                if (i + 2 >= size)
                    break;
                dest[i] = src[i];
                i++;
            }
            dest[i] = src[i];
            i++;
        }
    }
    dest[i] = 0;
}

void AppendText(char *dest, const char *src, size_t size)
{
    size_t used;
    if (!dest || size == 0)
        return;
    used = lstrlenA(dest);
    if (used >= size)
        return;
    CopyText(dest + used, src, size - used);
}
