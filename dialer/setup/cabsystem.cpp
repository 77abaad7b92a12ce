/* File and memory services of the cabinet decompressor, done with the
 * Win32 file calls so that every file the dialer unpacks follows its rules:
 * a target is opened for reading and writing (others may read it), created
 * when missing, and emptied before it is written, so a read-only or busy
 * target fails; it closes with the time stamp stored in the cabinet; and in
 * debug mode every file opened is shown first. */
#ifdef TOVA_HAVE_MSPACK

#include "dialer/core/app.h"
#include "dialer/setup/cabsystem.h"

/* What the decompressor holds as a file: it sees only a pointer. */
struct CabFile {
    HANDLE handle;
    /* For a written file: the cabinet entry whose date and time it gets. */
    const struct mscabd_file *entry;
};

static HANDLE OpenTarget(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    HANDLE handle;

    /* A read-only file is never written over, even where the file system
     * would let a privileged user open it for writing. */
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    handle = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle == INVALID_HANDLE_VALUE)
        return handle;
    if (SetFilePointer(handle, 0, NULL, FILE_BEGIN) == INVALID_SET_FILE_POINTER || !SetEndOfFile(handle)) {
        CloseHandle(handle);
        return INVALID_HANDLE_VALUE;
    }
    return handle;
}

static struct mspack_file *CabOpen(struct mspack_system *self, const char *path, int mode)
{
    struct CabSystem *system = (struct CabSystem *)self;
    struct CabFile *file;
    HANDLE handle;

    if (DebugMode)
        MessageBoxA(NULL, path, "EXTRACT", MB_OK | MB_TOPMOST);
    if (mode == MSPACK_SYS_OPEN_READ)
        handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
    else if (mode == MSPACK_SYS_OPEN_WRITE)
        handle = OpenTarget(path);
    else
        return NULL;   /* the cabinet reader neither appends nor updates */
    if (handle == INVALID_HANDLE_VALUE)
        return NULL;
    file = (struct CabFile *)HeapAlloc(GetProcessHeap(), 0, sizeof(*file));
    if (!file) {
        CloseHandle(handle);
        return NULL;
    }
    file->handle = handle;
    file->entry = mode == MSPACK_SYS_OPEN_WRITE ? system->entry : NULL;
    return (struct mspack_file *)file;
}

/* The cabinet keeps each entry's local date and time; the file system
 * keeps UTC. */
static void StampFile(HANDLE handle, const struct mscabd_file *entry)
{
    SYSTEMTIME stamp;
    FILETIME local, utc;

    ZeroMemory(&stamp, sizeof(stamp));
    stamp.wYear = (WORD)entry->date_y;
    stamp.wMonth = (WORD)entry->date_m;
    stamp.wDay = (WORD)entry->date_d;
    stamp.wHour = (WORD)entry->time_h;
    stamp.wMinute = (WORD)entry->time_m;
    stamp.wSecond = (WORD)entry->time_s;
    if (SystemTimeToFileTime(&stamp, &local) && LocalFileTimeToFileTime(&local, &utc))
        SetFileTime(handle, &utc, &utc, &utc);
}

static void CabClose(struct mspack_file *opened)
{
    struct CabFile *file = (struct CabFile *)opened;
    if (!file)
        return;
    if (file->entry)
        StampFile(file->handle, file->entry);
    CloseHandle(file->handle);
    HeapFree(GetProcessHeap(), 0, file);
}

static int CabRead(struct mspack_file *opened, void *buffer, int bytes)
{
    struct CabFile *file = (struct CabFile *)opened;
    DWORD got = 0;
    if (!file || bytes < 0 || !ReadFile(file->handle, buffer, (DWORD)bytes, &got, NULL))
        return -1;
    return (int)got;
}

static int CabWrite(struct mspack_file *opened, void *buffer, int bytes)
{
    struct CabFile *file = (struct CabFile *)opened;
    DWORD written = 0;
    if (!file || bytes < 0 || !WriteFile(file->handle, buffer, (DWORD)bytes, &written, NULL))
        return -1;
    return (int)written;
}

static int CabSeek(struct mspack_file *opened, off_t offset, int mode)
{
    struct CabFile *file = (struct CabFile *)opened;
    DWORD method;
    if (!file)
        return -1;
    switch (mode) {
    case MSPACK_SYS_SEEK_START: method = FILE_BEGIN; break;
    case MSPACK_SYS_SEEK_CUR:   method = FILE_CURRENT; break;
    case MSPACK_SYS_SEEK_END:   method = FILE_END; break;
    default: return -1;
    }
    SetLastError(NO_ERROR);
    if (SetFilePointer(file->handle, (LONG)offset, NULL, method) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return -1;
    return 0;
}

static off_t CabTell(struct mspack_file *opened)
{
    struct CabFile *file = (struct CabFile *)opened;
    DWORD at;
    if (!file)
        return -1;
    SetLastError(NO_ERROR);
    at = SetFilePointer(file->handle, 0, NULL, FILE_CURRENT);
    if (at == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return -1;
    return (off_t)at;
}

/* The decompressor's remarks have nowhere to go: the dialer keeps no log,
 * and a failed extraction shows in its result. */
static void CabMessage(struct mspack_file *file, const char *format, ...)
{
    (void)file;
    (void)format;
}

static void *CabAlloc(struct mspack_system *self, size_t bytes)
{
    (void)self;
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}

static void CabFree(void *block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

static void CabCopy(void *source, void *dest, size_t bytes)
{
    CopyMemory(dest, source, bytes);
}

void InitCabSystem(struct CabSystem *system)
{
    ZeroMemory(system, sizeof(*system));
    system->base.open = CabOpen;
    system->base.close = CabClose;
    system->base.read = CabRead;
    system->base.write = CabWrite;
    system->base.seek = CabSeek;
    system->base.tell = CabTell;
    system->base.message = CabMessage;
    system->base.alloc = CabAlloc;
    system->base.free = CabFree;
    system->base.copy = CabCopy;
    system->base.null_ptr = NULL;
    system->entry = NULL;
}

#endif
