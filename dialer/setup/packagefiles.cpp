/* Copies of the component files shipped in the program's SYS folder: the
 * dial-up networking package (to a folder with a short name, from which its
 * setup program can run) and the security catalogs (into the Windows
 * catalog folder, where Windows 98 setup looks for them). */
#include "dialer/core/app.h"
#include "dialer/setup/components.h"
#include "dialer/setup/setup.h"

const char *const DunPackageFiles[DUN_PACKAGE_COUNT] = {
    "ABOUT13.DOC", "DNLAYOUT.INF", "DUN13.DOC", "DUN95.CAB", "DUNOSR2.CAB", "DUNSETUP.EXE",
    "IPLAYOUT.INF", "IPOSR2.CAB", "IPSETUP.EXE", "IPWIN95.CAB", "LICENSE.TXT", "MSDUN.CAB",
    "MSDUN.INF", "MSDUNU.INF", "MSTCP.DLL", "MSTCPIP.CAB", "MSTCPIP.INF", "MSTCPIPU.INF",
    "NDIS.VXD", "NDISWAN.INF", "NET.95", "NET.OSR", "NETPPP.INF", "NETPPTP.INF",
    "NETTRANS.95", "NETTRANS.OSR", "PPPNDI.DLL", "RNA.INF", "RNASETUP.DLL", "SCRIPT.DOC",
    "SETUPX.DLL"
};

const char *const CatalogFiles[CATALOG_COUNT] = { "net.cat", "netppp.cat", "nettrans.cat" };

BOOL FileOpensForReading(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(file);
    return TRUE;
}

/* Every package file, in list order, replacing what is there. The copy
 * stops at the first file that fails; the files copied before it stay. */
BOOL CopyDunPackage(const char *destination, const char *source)
{
    char from[PATH_SIZE], to[PATH_SIZE];
    int i;

    for (i = 0; i < DUN_PACKAGE_COUNT; i++) {
        JoinPath(source, DunPackageFiles[i], from);
        JoinPath(destination, DunPackageFiles[i], to);
        if (!CopyFileA(from, to, FALSE)) {
            if (DebugMode)
                MessageBoxA(NULL, to, "ERROR", MB_OK | MB_TOPMOST);
            return FALSE;
        }
    }
    return TRUE;
}

/* The program folder, or while start-up has not fixed it yet (the setup
 * options are read first), the folder of the running program: never the
 * current directory, which for a run started at logon is not ours. */
static void ProgramFolder(char *out)
{
    char path[PATH_SIZE];
    char *cut = NULL, *p;
    DWORD len;

    if (ProgramDirectory[0]) {
        CopyText(out, ProgramDirectory, PATH_SIZE);
        return;
    }
    out[0] = 0;
    len = GetModuleFileNameA(NULL, path, sizeof(path));
    if (len == 0 || len >= sizeof(path))
        return;
    for (p = path; *p; p = CharNextA(p))
        if (*p == '\\')
            cut = p;
    if (cut) {
        cut[1] = 0;
        CopyText(out, path, PATH_SIZE);
    }
}

/* Catalogs already in the catalog folder are kept; a catalog that cannot
 * be copied is passed over. */
BOOL CopyCatalogFiles(void)
{
    char windows[PATH_SIZE], catalogs[PATH_SIZE], program[PATH_SIZE], sys[PATH_SIZE];
    char from[PATH_SIZE], to[PATH_SIZE];
    UINT len = GetWindowsDirectoryA(windows, sizeof(windows));
    int i;

    if (len == 0 || len >= sizeof(windows))
        return FALSE;
    JoinPath(windows, "CATROOT", catalogs);
    ProgramFolder(program);
    JoinPath(program, "SYS", sys);
    for (i = 0; i < CATALOG_COUNT; i++) {
        JoinPath(sys, CatalogFiles[i], from);
        JoinPath(catalogs, CatalogFiles[i], to);
        CopyFileA(from, to, TRUE);
    }
    return TRUE;
}
