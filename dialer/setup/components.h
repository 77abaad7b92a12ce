/* Component installation: the system's setup source path, the copies of the
 * dial-up networking package and catalog files, and the unpacking of the
 * package cabinet. The entry points the rest of the dialer calls are
 * declared in setup.h; these are the pieces underneath. */
#ifndef TOVA_COMPONENTS_H
#define TOVA_COMPONENTS_H

#include <windows.h>

/* Source path values are read into buffers of this size: a value of 128
 * characters or more does not read and counts as absent. */
#define SOURCE_PATH_SIZE 128

/* The product's saved copy of the system's setup source path (HKLM
 * "SOFTWARE\Brisole\Windows"), and the system's own value (HKLM
 * "SOFTWARE\Microsoft\Windows\CurrentVersion\Setup"). buffer holds
 * SOURCE_PATH_SIZE bytes. 1 when the value was read or written. */
BOOL ReadSavedSourcePath(char *buffer);
BOOL WriteSavedSourcePath(const char *text);
BOOL ReadSetupSourcePath(char *buffer);
BOOL WriteSetupSourcePath(const char *text);

/* Has the maker's restore utility put the source path back at the next
 * logon (per-user run-once value "restoreSP"). */
BOOL RegisterSourcePathRestore(void);

/* Names of the dial-up networking package, in copy order, and of the
 * security-catalog files; all of them live in the program's SYS folder. */
#define DUN_PACKAGE_COUNT 31
#define CATALOG_COUNT     3
extern const char *const DunPackageFiles[DUN_PACKAGE_COUNT];
extern const char *const CatalogFiles[CATALOG_COUNT];

/* 1 when the file is there and can be opened for reading. */
BOOL FileOpensForReading(const char *path);

/* Unpacks every file of a cabinet (and of the cabinets it continues into,
 * taken from its own folder) into destination. 1 on complete success. */
BOOL ExtractCabinet(const char *destination, const char *cabinetPath);

#endif
