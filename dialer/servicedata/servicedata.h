/* Service data: the member's settings loaded at start-up and the shipped
 * phone book and advertisement list imported into the registry. */
#ifndef TOVA_SERVICEDATA_H
#define TOVA_SERVICEDATA_H

#include <windows.h>

/* Once per start, before the login window: work and data directories,
 * per-user defaults, the refresh of both lists and the load of the
 * member's current settings. Problems are shown and the start goes on. */
void ImportServiceData(void);
/* Copy PHONE.INI or AD.INI at path into the machine-wide "PhoneBook" or
 * "Advertisement" key; 1 on success, 0 when the key cannot be opened or
 * the file has no "Version". */
int ImportPhoneBook(const char *path);
int ImportAdList(const char *path);
/* Deletes the machine-wide list key of that name with all under it. */
void DeleteListKey(const char *listName);

#endif
