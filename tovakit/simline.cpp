/* The line simulator: a dial runs the profile's steps ("state,error,ms;…")
 * on a thread of its own and reports each one through the dialer's
 * notifier, as the remote-access service does from its thread. Live
 * connections are kept in the registry so that another process finds them;
 * "DropAfterMs" makes the line drop that long after it came up. */
#include "tovakit.h"
#include "line.h"
#include "profile.h"

#define MAX_STEPS       32
#define MAX_DIALS       8
#define CONN_KEY_SIZE   96
#define CONNECTIONS     SIM_STATE "\\Connections"

static const char DEFAULT_STEPS[] =
    "0,0,300;1,0,300;2,0,600;3,0,600;4,0,100;5,0,500;14,0,400;8192,0,200";

struct DialStep {
    DWORD state, error, delay;
};

struct Dial {
    DWORD id;
    HANDLE thread;
    HANDLE stop;
    RASDIALFUNC notifier;
    DialStep steps[MAX_STEPS];
    int stepCount;
};

static CRITICAL_SECTION DialLock;
static Dial Dials[MAX_DIALS];

static void ConnectionKey(DWORD id, char *key)
{
    wsprintfA(key, "%s\\%lu", CONNECTIONS, (unsigned long)id);
}

static DWORD IdOf(HRASCONN handle)
{
    return (DWORD)(ULONG_PTR)handle;
}

static ULONGLONG Now(void)
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

static DWORD ParseNumber(const char **p)
{
    DWORD value = 0;
    while (**p == ' ')
        (*p)++;
    if ((*p)[0] == '0' && ((*p)[1] == 'x' || (*p)[1] == 'X')) {
        *p += 2;
        for (;; (*p)++) {
            char c = **p;
            if (c >= '0' && c <= '9') value = value * 16 + (c - '0');
            else if (c >= 'a' && c <= 'f') value = value * 16 + (c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') value = value * 16 + (c - 'A' + 10);
            else break;
        }
        return value;
    }
    while (**p >= '0' && **p <= '9')
        value = value * 10 + (*(*p)++ - '0');
    return value;
}

static int ParseSteps(const char *text, DialStep *steps)
{
    const char *p = text;
    int n = 0;
    while (*p && n < MAX_STEPS) {
        steps[n].state = ParseNumber(&p);
        if (*p == ',') p++;
        steps[n].error = ParseNumber(&p);
        if (*p == ',') p++;
        steps[n].delay = ParseNumber(&p);
        n++;
        while (*p && *p != ';')
            p++;
        if (*p == ';')
            p++;
    }
    return n;
}

static void RecordLastDial(LPRASDIALPARAMSA params)
{
    SimWriteText(SIM_LASTDIAL, "Entry", params->szEntryName);
    SimWriteText(SIM_LASTDIAL, "Phone", params->szPhoneNumber);
    SimWriteText(SIM_LASTDIAL, "User", params->szUserName);
}

static DWORD NewConnectionId(void)
{
    DWORD id = 0;
    SimReadNumber(SIM_STATE, "NextHandle", &id);
    if (id == 0 || id > 0x7FFFFFF0)
        id = 1;
    SimWriteNumber(SIM_STATE, "NextHandle", id + 1);
    return id;
}

static DWORD WINAPI RunDial(LPVOID param)
{
    Dial *dial = (Dial *)param;
    char key[CONN_KEY_SIZE];
    int i;

    ConnectionKey(dial->id, key);
    for (i = 0; i < dial->stepCount; i++) {
        const DialStep *step = &dial->steps[i];
        if (WaitForSingleObject(dial->stop, step->delay) != WAIT_TIMEOUT)
            return 0;
        SimWriteNumber(key, "State", step->state);
        SimWriteNumber(key, "Error", step->error);
        if (step->state == RASCS_Connected && step->error == 0) {
            ULONGLONG now = Now();
            SimWriteBinary(key, "Start", &now, sizeof(now));
            SimWriteNumber(key, "Connected", 1);
        }
        dial->notifier(WM_RASDIALEVENT, (RASCONNSTATE)step->state, step->error);
        if (step->error || step->state == RASCS_Connected || step->state == RASCS_Disconnected)
            break;
    }
    return 0;
}

static Dial *FreeSlot(void)
{
    int i;
    for (i = 0; i < MAX_DIALS; i++) {
        if (!Dials[i].id)
            return &Dials[i];
    }
    return NULL;
}

static void EnsureLock(void)
{
    static LONG ready;
    static LONG starting;
    if (ready)
        return;
    if (InterlockedExchange(&starting, 1) == 0) {
        InitializeCriticalSection(&DialLock);
        ready = 1;
    } else {
        while (!ready)
            Sleep(1);
    }
}

static DWORD SimDial(LPRASDIALPARAMSA params, RASDIALFUNC notifier, HRASCONN *handle)
{
    char steps[1024], key[CONN_KEY_SIZE];
    DWORD forced = SimNumber("DialResult", 0), threadId;
    Dial *dial;

    *handle = NULL;
    RecordLastDial(params);
    if (forced)
        return forced;
    if (!notifier)
        return ERROR_INVALID_PARAMETER;
    EnsureLock();
    EnterCriticalSection(&DialLock);
    dial = FreeSlot();
    if (!dial) {
        LeaveCriticalSection(&DialLock);
        return ERROR_PORT_NOT_AVAILABLE;
    }
    SimText("DialSteps", DEFAULT_STEPS, steps, sizeof(steps));
    dial->stepCount = ParseSteps(steps, dial->steps);
    dial->notifier = notifier;
    dial->id = NewConnectionId();
    dial->stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    ConnectionKey(dial->id, key);
    SimWriteText(key, "Entry", params->szEntryName);
    SimWriteNumber(key, "State", RASCS_OpenPort);
    SimWriteNumber(key, "Error", 0);
    SimWriteNumber(key, "Connected", 0);
    dial->thread = CreateThread(NULL, 0, RunDial, dial, 0, &threadId);
    if (!dial->thread) {
        CloseHandle(dial->stop);
        SimDeleteKey(CONNECTIONS, key + lstrlenA(CONNECTIONS) + 1);
        dial->id = 0;
        LeaveCriticalSection(&DialLock);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    *handle = (HRASCONN)(ULONG_PTR)dial->id;
    LeaveCriticalSection(&DialLock);
    return 0;
}

/* The line of a connected entry drops "DropAfterMs" after it came up. */
static BOOL LineDropped(const char *key)
{
    DWORD dropAfter = SimNumber("DropAfterMs", 0), connected = 0, size;
    ULONGLONG start = 0;
    if (!dropAfter || !SimReadNumber(key, "Connected", &connected) || !connected)
        return FALSE;
    size = sizeof(start);
    if (!SimReadBinary(key, "Start", &start, &size))
        return FALSE;
    return Now() - start >= (ULONGLONG)dropAfter * 10000;
}

static DWORD SimStatus(HRASCONN handle, LPRASCONNSTATUSA status)
{
    char key[CONN_KEY_SIZE];
    DWORD state = 0, error = 0, connected = 0;
    ConnectionKey(IdOf(handle), key);
    if (!handle || !SimKeyExists(key))
        return ERROR_INVALID_HANDLE;
    if (LineDropped(key)) {
        SimDeleteKey(CONNECTIONS, key + lstrlenA(CONNECTIONS) + 1);
        return ERROR_INVALID_HANDLE;
    }
    SimReadNumber(key, "State", &state);
    SimReadNumber(key, "Error", &error);
    SimReadNumber(key, "Connected", &connected);
    status->rasconnstate = connected ? RASCS_Connected : (RASCONNSTATE)state;
    status->dwError = error;
    SimCopy(status->szDeviceType, RASDT_Modem, sizeof(status->szDeviceType));
    SimText("Modems", "Standard 56K Modem", status->szDeviceName, sizeof(status->szDeviceName));
    return 0;
}

static DWORD SimHangUp(HRASCONN handle)
{
    char key[CONN_KEY_SIZE];
    DWORD id = IdOf(handle);
    int i;

    if (!id)
        return ERROR_INVALID_HANDLE;
    EnsureLock();
    EnterCriticalSection(&DialLock);
    for (i = 0; i < MAX_DIALS; i++) {
        if (Dials[i].id != id)
            continue;
        /* After this returns the notifier is never called again. */
        SetEvent(Dials[i].stop);
        WaitForSingleObject(Dials[i].thread, 5000);
        CloseHandle(Dials[i].thread);
        CloseHandle(Dials[i].stop);
        ZeroMemory(&Dials[i], sizeof(Dials[i]));
    }
    LeaveCriticalSection(&DialLock);
    ConnectionKey(id, key);
    if (!SimDeleteKey(CONNECTIONS, key + lstrlenA(CONNECTIONS) + 1))
        return ERROR_INVALID_HANDLE;
    return 0;
}

static DWORD SimSpeed(HRASCONN handle, DWORD *bitsPerSecond)
{
    char key[CONN_KEY_SIZE];
    DWORD connected = 0;
    ConnectionKey(IdOf(handle), key);
    if (!handle || !SimReadNumber(key, "Connected", &connected))
        return ERROR_INVALID_HANDLE;
    if (!connected)
        return ERROR_NOT_CONNECTED;
    *bitsPerSecond = SimNumber("LinkSpeed", 53333);
    return SimNumber("LinkSpeedResult", 0);
}

static HRASCONN SimFind(LPCSTR entryName)
{
    HKEY key;
    char name[32], conn[CONN_KEY_SIZE], entry[RAS_MaxEntryName + 1];
    DWORD i, connected;
    HRASCONN found = NULL;

    if (RegOpenKeyExA(HKEY_CURRENT_USER, CONNECTIONS, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return NULL;
    for (i = 0; !found; i++) {
        DWORD len = sizeof(name);
        FILETIME written;
        if (RegEnumKeyExA(key, i, name, &len, NULL, NULL, NULL, &written) != ERROR_SUCCESS)
            break;
        wsprintfA(conn, "%s\\%s", CONNECTIONS, name);
        connected = 0;
        if (!SimReadNumber(conn, "Connected", &connected) || !connected || LineDropped(conn))
            continue;
        if (SimReadText(conn, "Entry", entry, sizeof(entry)) && lstrcmpiA(entry, entryName) == 0) {
            const char *p = name;
            found = (HRASCONN)(ULONG_PTR)ParseNumber(&p);
        }
    }
    RegCloseKey(key);
    return found;
}

static const LineBackend SIMULATED_LINE = { SimDial, SimStatus, SimHangUp, SimSpeed, SimFind };

const LineBackend *SimulatedLine(void)
{
    return &SIMULATED_LINE;
}
