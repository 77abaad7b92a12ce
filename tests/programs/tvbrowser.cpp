/* Stand-in for a web browser or mail program in the tests. It records its
 * start (process id, own path, command line) and every DDE conversation and
 * request it receives to a record file, and answers as the test asks: it can
 * offer the browser services "netscape", "NSShell" and "IExplore", answer a
 * request with data, refuse it, hold it unanswered or
 * answer with junk, and it can register its services late.
 *
 * Configuration: HKCU "Software\TovaTest\Browser"
 *   "Record"    REG_SZ  record file (lines appended; required)
 *   "Services"  REG_SZ  services to offer, '|'-separated ("" = none)
 *   "DelayMs"   DWORD   wait this long before offering them
 *   "LifeMs"    DWORD   end after this long (default 60000)
 *   "<service>.<topic>" REG_SZ  reply to requests on that topic:
 *       "data" (default), "refuse" (negative acknowledgement),
 *       "hold" (never answer), "junk" (64 KB of binary data)
 * The tick count of the last open-URL request goes to "LastOpenUrlTick".
 * Record lines: "START|pid|module|command line", "CONNECT|service|topic",
 * "REQUEST|service|topic|item", "OFFER|services". Every copy ends when the
 * named event "TovaTestBrowserQuit" is set. */
#include <windows.h>
#include <ddeml.h>
#include <stdio.h>
#include <string.h>

static const char kConfigKey[] = "Software\\TovaTest\\Browser";
static DWORD g_inst;
static char g_record[MAX_PATH];
static char g_services[256];
static HSZ g_hsz[8];
static char g_names[8][32];
static int g_count;

static void ReadConfigText(const char *name, char *out, DWORD size, const char *def)
{
    HKEY key;
    DWORD type = 0, len = size;
    lstrcpynA(out, def, (int)size);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    if (RegQueryValueExA(key, name, NULL, &type, (BYTE *)out, &len) != ERROR_SUCCESS || type != REG_SZ)
        lstrcpynA(out, def, (int)size);
    out[size - 1] = 0;
    RegCloseKey(key);
}

static DWORD ReadConfigNumber(const char *name, DWORD def)
{
    HKEY key;
    DWORD type = 0, value = def, len = sizeof(value);
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return def;
    if (RegQueryValueExA(key, name, NULL, &type, (BYTE *)&value, &len) != ERROR_SUCCESS || type != REG_DWORD)
        value = def;
    RegCloseKey(key);
    return value;
}

static void WriteConfigNumber(const char *name, DWORD value)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kConfigKey, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof(value));
    RegCloseKey(key);
}

/* Appends one line; opened and closed per line so that several copies of
 * the program can share the file. */
static void Record(const char *a, const char *b, const char *c, const char *d)
{
    HANDLE file;
    DWORD written;
    int tries;
    if (!g_record[0])
        return;
    for (tries = 0; tries < 50; tries++) {
        file = CreateFileA(g_record, FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE)
            break;
        Sleep(10);
    }
    if (file == INVALID_HANDLE_VALUE)
        return;
    const char *parts[4] = {a, b, c, d};
    for (int i = 0; i < 4 && parts[i]; i++) {
        if (i)
            WriteFile(file, "|", 1, &written, NULL);
        WriteFile(file, parts[i], (DWORD)strlen(parts[i]), &written, NULL);
    }
    WriteFile(file, "\r\n", 2, &written, NULL);
    CloseHandle(file);
}

static void HszText(HSZ hsz, char *out, DWORD size)
{
    out[0] = 0;
    if (hsz)
        DdeQueryStringA(g_inst, hsz, out, size, CP_WINANSI);
}

static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                  ULONG_PTR d1, ULONG_PTR d2)
{
    (void)format; (void)conv; (void)data; (void)d1; (void)d2;
    char topic[64], service[64], item[1200], key[160], reply[32];
    switch (type) {
    case XTYP_CONNECT:
        HszText(hsz1, topic, sizeof(topic));
        HszText(hsz2, service, sizeof(service));
        Record("CONNECT", service, topic, NULL);
        return (HDDEDATA)TRUE;
    case XTYP_REQUEST: {
        CONVINFO info;
        ZeroMemory(&info, sizeof(info));
        info.cb = sizeof(info);
        DdeQueryConvInfo(conv, QID_SYNC, &info);
        HszText(info.hszSvcPartner, service, sizeof(service));
        HszText(hsz1, topic, sizeof(topic));
        HszText(hsz2, item, sizeof(item));
        Record("REQUEST", service, topic, item);
        if (lstrcmpA(topic, "WWW_OpenURL") == 0)
            WriteConfigNumber("LastOpenUrlTick", GetTickCount());
        wsprintfA(key, "%s.%s", service, topic);
        ReadConfigText(key, reply, sizeof(reply), "data");
        if (lstrcmpiA(reply, "refuse") == 0)
            return NULL;
        if (lstrcmpiA(reply, "hold") == 0)
            return CBR_BLOCK;
        if (lstrcmpiA(reply, "junk") == 0) {
            static BYTE junk[65536];
            for (DWORD i = 0; i < sizeof(junk); i++)
                junk[i] = (BYTE)(i * 7 + 3);
            return DdeCreateDataHandle(g_inst, junk, sizeof(junk), 0, hsz2, format, 0);
        }
        static const char answer[] = "0x1,0x0";
        return DdeCreateDataHandle(g_inst, (BYTE *)answer, sizeof(answer), 0, hsz2, format, 0);
    }
    default:
        return NULL;
    }
}

static void Offer(void)
{
    char *p = g_services;
    Record("OFFER", g_services, NULL, NULL);
    while (*p && g_count < 8) {
        char *bar = strchr(p, '|');
        int len = bar ? (int)(bar - p) : lstrlenA(p);
        if (len > 0 && len < 32) {
            lstrcpynA(g_names[g_count], p, len + 1);
            g_hsz[g_count] = DdeCreateStringHandleA(g_inst, g_names[g_count], CP_WINANSI);
            DdeNameService(g_inst, g_hsz[g_count], 0, DNS_REGISTER);
            g_count++;
        }
        if (!bar)
            break;
        p = bar + 1;
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmd, int show)
{
    (void)instance; (void)prev; (void)cmd; (void)show;
    char module[MAX_PATH], pid[16];
    MSG msg;
    ReadConfigText("Record", g_record, sizeof(g_record), "");
    ReadConfigText("Services", g_services, sizeof(g_services), "");
    GetModuleFileNameA(NULL, module, sizeof(module));
    wsprintfA(pid, "%lu", GetCurrentProcessId());
    Record("START", pid, module, GetCommandLineA());

    if (DdeInitializeA(&g_inst, Callback, APPCLASS_STANDARD | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0)
        != DMLERR_NO_ERROR)
        return 1;
    DWORD delay = ReadConfigNumber("DelayMs", 0);
    DWORD life = ReadConfigNumber("LifeMs", 60000);
    UINT_PTR offerTimer = 0;
    if (g_services[0]) {
        if (delay == 0)
            Offer();
        else
            offerTimer = SetTimer(NULL, 0, delay, NULL);
    }
    UINT_PTR lifeTimer = SetTimer(NULL, 0, life, NULL);
    /* The tests end every copy at once through this event. */
    HANDLE quit = CreateEventA(NULL, TRUE, FALSE, "TovaTestBrowserQuit");
    BOOL running = TRUE;
    while (running) {
        DWORD wait = MsgWaitForMultipleObjects(quit ? 1 : 0, &quit, FALSE, INFINITE, QS_ALLINPUT);
        if (quit && wait == WAIT_OBJECT_0)
            break;
        while (running && PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                running = FALSE;
                break;
            }
            if (msg.message == WM_TIMER && msg.hwnd == NULL) {
                if (offerTimer && msg.wParam == offerTimer) {
                    KillTimer(NULL, offerTimer);
                    offerTimer = 0;
                    Offer();
                    continue;
                }
                if (msg.wParam == lifeTimer) {
                    running = FALSE;
                    break;
                }
            }
            DispatchMessageA(&msg);
        }
    }
    for (int i = 0; i < g_count; i++) {
        DdeNameService(g_inst, g_hsz[i], 0, DNS_UNREGISTER);
        DdeFreeStringHandle(g_inst, g_hsz[i]);
    }
    DdeUninitialize(g_inst);
    return 0;
}
