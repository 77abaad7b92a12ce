/* Small text token routines: blank-separated tokens of script version
 * lines, phone-book values and browser command lines. A blank is only the
 * space character; a token ends at the next space or the end of the text. */
#ifndef TOVA_TOKENS_H
#define TOVA_TOKENS_H

#include <windows.h>

#define TOKEN_SIZE 260   /* the shared token buffer: at most 259 characters */

/* Removes spaces at the end of text in place; returns the new length. */
int CutTrailingSpaces(char *text);
/* The first character of text that is not a space. */
const char *SkipSpaces(const char *text);
/* Length of the first token of text (leading spaces skipped); 0 when only
 * spaces or nothing is left. */
int TokenLength(const char *text);
/* Copies the first token of text into out (size bytes, emptied first, cut
 * at size - 1 characters without splitting a double-byte character);
 * returns the position in text where the token ends. A null out writes the
 * shared token buffer (SharedToken) and ignores size. */
const char *CopyToken(const char *text, char *out, int size);
/* Like CopyToken, but a token that starts with a double quote runs to the
 * next double quote (or the end) and is copied without its quotes. */
void CopyQuotedToken(const char *text, char *out, int size);
/* The buffer that CopyToken and CopyQuotedToken fill for a null output. */
char *SharedToken(void);

/* The decimal value of the leading digits of text after optional leading
 * blanks and a sign; 0 when there are none. Long digit runs wrap instead
 * of overflowing. */
long DecimalValue(const char *text);
/* Packs a version text "major" or "major.minor" (split at its first
 * period, each part by DecimalValue) into major << 24 | minor << 16, each
 * part kept to its low 8 bits. */
DWORD PackVersion(const char *text);

#endif
