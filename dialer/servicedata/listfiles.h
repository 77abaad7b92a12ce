/* What the phone-book and advertisement importers share: reading the
 * shipped INI files within their limits and writing the list keys. */
#ifndef TOVA_LISTFILES_H
#define TOVA_LISTFILES_H

#include <windows.h>

#define INI_VALUE_SIZE     80     /* every INI value: at most 79 characters */
#define LIST_DATE_SIZE     32     /* a list's "Date": at most 31 characters */
#define AREA_SECTION_MAX   11     /* longest area-section name */
/* Sections counted by "SubCount" or "Count" that are looked at; a broken
 * count cannot make the import run for hours. */
#define LIST_SECTION_LIMIT 999

/* Reads key of section from the INI file at path into buffer (size bytes,
 * empty when missing), cut without splitting a double-byte character. */
void ReadIniValue(const char *path, const char *section, const char *key, char *buffer, DWORD size);
/* The decimal value of an INI value; 0 when it has no digits. */
long ReadIniNumber(const char *path, const char *section, const char *key);

/* Opens the machine-wide settings key (never creating it) and creates or
 * opens its sub-key listName with full access; null on failure. */
HKEY OpenListKey(const char *listName);
/* Creates or opens a sub-key of an open list key; null on failure. */
HKEY OpenListSubKey(HKEY list, const char *name);
/* Opens the list key listName for an import from the INI file at path and
 * stores the list's packed "Version" and its "Date"; null (nothing stored)
 * when the key cannot be opened or the file gives no version. */
HKEY BeginListImport(const char *path, const char *listName);
/* Single values; failures are ignored by the importers. */
void StoreText(HKEY key, const char *name, const char *text);
void StoreNumber(HKEY key, const char *name, DWORD value);

#endif
