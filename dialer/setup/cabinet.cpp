/* Unpacking of cabinets: the dial-up networking package cabinet MSDUN.CAB
 * is unpacked next to DUNSETUP.EXE before a Windows 95 setup run, so that
 * the package's setup finds its files. The decoding is libmspack's; which
 * files are written where, and how, is decided here and in cabsystem.cpp. */
#include "dialer/core/app.h"
#include "dialer/setup/components.h"
#include "dialer/setup/setup.h"
#ifdef TOVA_HAVE_MSPACK
#include "dialer/setup/cabsystem.h"
#endif

BOOL PrepareDunCabinet(const char *dunSetupPath)
{
    char folder[PATH_SIZE], cabinet[PATH_SIZE];
    char *cut = NULL, *p;

    if (!dunSetupPath)
        return FALSE;
    CopyText(folder, dunSetupPath, sizeof(folder));
    for (p = folder; *p; p = CharNextA(p))
        if (*p == '\\')
            cut = p;
    if (!cut)
        return FALSE;
    *cut = 0;
    JoinPath(folder, "MSDUN.CAB", cabinet);
    if (!FileOpensForReading(cabinet))
        return FALSE;
    if (DebugMode)
        MessageBoxA(NULL, folder, "MSDUN.CAB", MB_OK | MB_TOPMOST);
    return ExtractCabinet(folder, cabinet);
}

#ifdef TOVA_HAVE_MSPACK

/* Parts of a cabinet set followed from one cabinet; more means the set
 * names itself in a loop. */
#define MAX_CABINET_PARTS 32

/* A name stored in a cabinet must stay inside the folder it is unpacked
 * into (or, for the next cabinet of a set, the folder it is read from):
 * no drive, no leading backslash, no step up to a parent folder. */
static BOOL IsContainedName(const char *name)
{
    const char *p, *part;

    if (!name || !name[0] || name[0] == '\\' || name[0] == '/' || name[1] == ':')
        return FALSE;
    part = name;
    for (p = name;; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/' || *p == 0) {
            if (p - part == 2 && part[0] == '.' && part[1] == '.')
                return FALSE;
            if (*p == 0)
                return TRUE;
            part = p + 1;
        }
    }
}

/* JoinPath, refused when the joined path would not fit in PATH_SIZE - 1
 * characters (JoinPath itself would cut it and name another file). */
static BOOL JoinWhole(const char *directory, const char *name, char *out)
{
    int dirLen = lstrlenA(directory);
    int len = dirLen + lstrlenA(name);

    if (dirLen > 0 && *CharPrevA(directory, directory + dirLen) != '\\')
        len++;
    if (len >= PATH_SIZE)
        return FALSE;
    JoinPath(directory, name, out);
    return TRUE;
}

/* Opens the cabinet and every cabinet it continues into, joined into one
 * set that *set heads (closing the head releases the whole set). The
 * decompressor keeps the path pointers, so paths[] must outlive the set. */
static BOOL OpenCabinetSet(struct mscab_decompressor *cabd, const char *cabinetPath, const char *folder,
                           char paths[][PATH_SIZE], struct mscabd_cabinet **set)
{
    struct mscabd_cabinet *last, *next;
    int parts = 1;

    *set = last = cabd->open(cabd, cabinetPath);
    if (!last)
        return FALSE;
    while (last->flags & MSCAB_HDR_NEXTCAB) {
        if (parts >= MAX_CABINET_PARTS || !IsContainedName(last->nextname) ||
            !JoinWhole(folder, last->nextname, paths[parts]))
            return FALSE;
        next = cabd->open(cabd, paths[parts]);
        if (!next)
            return FALSE;
        if (cabd->append(cabd, last, next) != MSPACK_ERR_OK) {
            cabd->close(cabd, next);
            return FALSE;
        }
        parts++;
        last = next;
    }
    return TRUE;
}

/* Every file of the set in cabinet order; the first that fails ends the
 * extraction, the files written before it stay. */
static BOOL ExtractFiles(struct mscab_decompressor *cabd, struct CabSystem *system,
                         const struct mscabd_cabinet *set, const char *destination)
{
    const struct mscabd_file *entry;
    char target[PATH_SIZE];
    int rc;

    for (entry = set->files; entry; entry = entry->next) {
        if (!IsContainedName(entry->filename) || !JoinWhole(destination, entry->filename, target))
            return FALSE;
        system->entry = entry;
        rc = cabd->extract(cabd, (struct mscabd_file *)entry, target);
        system->entry = NULL;
        if (rc != MSPACK_ERR_OK)
            return FALSE;
    }
    return TRUE;
}

BOOL ExtractCabinet(const char *destination, const char *cabinetPath)
{
    struct CabSystem system;
    struct mscab_decompressor *cabd;
    struct mscabd_cabinet *set = NULL;
    char paths[MAX_CABINET_PARTS][PATH_SIZE];
    char folder[PATH_SIZE];
    const char *p, *name;
    size_t folderLength;
    int selftest;
    BOOL done;

    if (!destination || !cabinetPath)
        return FALSE;
    MSPACK_SYS_SELFTEST(selftest);
    if (selftest != MSPACK_ERR_OK)
        return FALSE;

    /* The cabinet's folder, with its trailing backslash: the next
     * cabinets of a set are looked for there. */
    name = cabinetPath;
    for (p = cabinetPath; *p; p = CharNextA(p))
        if (*p == '\\')
            name = p + 1;
    folderLength = (size_t)(name - cabinetPath);
    if (folderLength >= sizeof(folder))
        return FALSE;   /* no cabinet in a folder that long opens */
    CopyText(folder, cabinetPath, folderLength + 1);

    InitCabSystem(&system);
    cabd = mspack_create_cab_decompressor(&system.base);
    if (!cabd)
        return FALSE;
    done = OpenCabinetSet(cabd, cabinetPath, folder, paths, &set) &&
           ExtractFiles(cabd, &system, set, destination);
    if (set)
        cabd->close(cabd, set);
    mspack_destroy_cab_decompressor(cabd);
    return done;
}

#else

/* Built without the cabinet library: nothing can be unpacked. */
BOOL ExtractCabinet(const char *destination, const char *cabinetPath)
{
    (void)destination;
    (void)cabinetPath;
    return FALSE;
}

#endif
