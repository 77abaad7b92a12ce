/* The line simulator. A dial runs the profile's steps ("state,error,ms;...")
 * on a thread of its own and reports each one through the dialer's
 * notifier, as the remote-access service does from its thread. Every dial
 * and connection is a key under State\Connections named by its handle
 * number, so that another process finds a live connection and can ask for
 * its status; "DropAfterMs" makes the line drop that long after it came
 * up. A hang-up stops the dial's thread before it returns. */
#include "tovakit.h"
#include "line_backend.h"
#include "modem.h"
#include "profile.h"

#define MAX_STEPS      32
#define MAX_DIALS      8
#define CONN_KEY_SIZE  (sizeof(SIM_CONNECTIONS) + 16)
#define MAX_HANDLE     0x7FFFFFF0

/* OpenPort, PortOpened, ConnectDevice, DeviceConnected, AllDevicesConnected,
 * Authenticate, Authenticated, Connected: about three seconds in all. */
static const char DEFAULT_STEPS[] = "0,0,300;1,0,300;2,0,700;3,0,700;4,0,100;5,0,400;14,0,300;8192,0,200";

struct DialStep {
    DWORD state, error, delay;
};

/* A dial running in this process. The slot is taken while its thread and
 * event handles are open; id is cleared once the dial is hung up. */
struct DialSlot {
    DWORD id;
    HANDLE thread;
    DWORD threadId;
    HANDLE stop;
    RASDIALFUNC notifier;
    DialStep steps[MAX_STEPS];
    int stepCount;
    char key[CONN_KEY_SIZE];
};

static CRITICAL_SECTION DialLock;
static DialSlot Dials[MAX_DIALS];

static void EnsureLock(void)
{
    static volatile LONG ready;
    static LONG starting;
    if (ready)
        return;
    if (InterlockedExchange(&starting, 1) == 0) {
        InitializeCriticalSection(&DialLock);
        InterlockedExchange((LONG *)&ready, 1);
    } else {
        while (!ready)
            Sleep(1);
    }
}

static DWORD IdOf(HRASCONN handle)
{
    return (DWORD)(ULONG_PTR)handle;
}

static void ConnectionKey(DWORD id, char *key)
{
    wsprintfA(key, "%s\\%lu", SIM_CONNECTIONS, (unsigned long)id);
}

static const char *ConnectionName(const char *key)
{
    return key + sizeof(SIM_CONNECTIONS);
}

static ULONGLONG Now(void)
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

/* A decimal or 0x-hexadecimal number; stops at the first other character. */
static DWORD ParseNumber(const char **p)
{
    DWORD value = 0;
    while (**p == ' ')
        (*p)++;
    if ((*p)[0] == '0' && ((*p)[1] == 'x' || (*p)[1] == 'X')) {
        *p += 2;
        for (;; (*p)++) {
            char c = **p;
            if (c >= '0' && c <= '9')
                value = value * 16 + (DWORD)(c - '0');
            else if (c >= 'a' && c <= 'f')
                value = value * 16 + (DWORD)(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value = value * 16 + (DWORD)(c - 'A' + 10);
            else
                break;
        }
        return value;
    }
    while (**p >= '0' && **p <= '9')
        value = value * 10 + (DWORD)(*(*p)++ - '0');
    return value;
}

static int ParseSteps(const char *text, DialStep *steps)
{
    const char *p = text;
    int n = 0;
    while (*p && n < MAX_STEPS) {
        while (*p == ' ')
            p++;
        if (!*p)
            break;
        steps[n].state = ParseNumber(&p);
        steps[n].error = 0;
        steps[n].delay = 0;
        if (*p == ',') {
            p++;
            steps[n].error = ParseNumber(&p);
            if (*p == ',') {
                p++;
                steps[n].delay = ParseNumber(&p);
            }
        }
        n++;
        while (*p && *p != ';')
            p++;
        if (*p == ';')
            p++;
    }
    return n;
}

/* The profile's dial steps; a missing or empty text gives the default. */
static int ProfileSteps(DialStep *steps)
{
    char text[1024];
    int n;
    SimText("DialSteps", DEFAULT_STEPS, text, sizeof(text));
    n = ParseSteps(text, steps);
    return n ? n : ParseSteps(DEFAULT_STEPS, steps);
}

/* Closes the handles of dials whose thread has ended; a dial that ended by
 * itself (connected or failed) keeps its connection key until hang-up.
 * Called with the lock held. */
static void ReapFinished(void)
{
    int i;
    for (i = 0; i < MAX_DIALS; i++) {
        if (!Dials[i].thread || WaitForSingleObject(Dials[i].thread, 0) != WAIT_OBJECT_0)
            continue;
        CloseHandle(Dials[i].thread);
        CloseHandle(Dials[i].stop);
        ZeroMemory(&Dials[i], sizeof(Dials[i]));
    }
}

static DialSlot *FreeSlot(void)
{
    int i;
    for (i = 0; i < MAX_DIALS; i++)
        if (!Dials[i].thread)
            return &Dials[i];
    return NULL;
}

static BOOL Stopped(const DialSlot *dial)
{
    return WaitForSingleObject(dial->stop, 0) != WAIT_TIMEOUT;
}

static DWORD WINAPI RunDial(LPVOID param)
{
    DialSlot *dial = (DialSlot *)param;
    int i;

    for (i = 0; i < dial->stepCount; i++) {
        const DialStep *step = &dial->steps[i];
        if (WaitForSingleObject(dial->stop, step->delay) != WAIT_TIMEOUT)
            break;
        /* A key that is gone was hung up by another process. */
        if (!SimUpdateNumber(dial->key, "State", step->state))
            break;
        SimUpdateNumber(dial->key, "Error", step->error);
        if (step->state == RASCS_Connected && step->error == 0) {
            ULONGLONG now = Now();
            SimWriteBinary(dial->key, "Start", &now, sizeof(now));
            SimUpdateNumber(dial->key, "Connected", 1);
        }
        if (Stopped(dial))
            break;
        dial->notifier(WM_RASDIALEVENT, (RASCONNSTATE)step->state, step->error);
        if (step->error || step->state == RASCS_Connected || step->state == RASCS_Disconnected)
            break;
    }
    return 0;
}

/* The next handle number, kept in the state so that handles of separate
 * processes never collide; skips numbers still in use. */
static DWORD NewConnectionId(void)
{
    char key[CONN_KEY_SIZE];
    DWORD id = 0, tries;
    SimReadNumber(SIM_STATE, "NextHandle", &id);
    for (tries = 0; tries < 1000; tries++) {
        if (id == 0 || id > MAX_HANDLE)
            id = 1;
        ConnectionKey(id, key);
        if (!SimKeyExists(key))
            break;
        id++;
    }
    SimWriteNumber(SIM_STATE, "NextHandle", id + 1);
    return id;
}

/* The device an entry dials on: the phone book's, else the first modem. */
static void EntryDevice(const char *entryName, char *device)
{
    char key[sizeof(SIM_PHONEBOOK) + RAS_MaxEntryName + 2];
    device[0] = 0;
    SimCopy(key, SIM_PHONEBOOK "\\", sizeof(key));
    if (entryName[0] && SimAppend(key, entryName, sizeof(key)))
        SimReadText(key, "Device", device, MODEM_NAME_SIZE);
    if (!device[0])
        SimModemName(0, device);
}

static BOOL EntryNumber(const char *entryName, char *number, DWORD size)
{
    char key[sizeof(SIM_PHONEBOOK) + RAS_MaxEntryName + 2];
    SimCopy(key, SIM_PHONEBOOK "\\", sizeof(key));
    if (!SimAppend(key, entryName, sizeof(key)) || !SimKeyExists(key))
        return FALSE;
    SimReadText(key, "Number", number, size);
    return TRUE;
}

static DWORD SimDial(const RASDIALPARAMSA *params, RASDIALFUNC notifier, HRASCONN *handle)
{
    char entryName[RAS_MaxEntryName + 1], phone[RAS_MaxPhoneNumber + 1], user[UNLEN + 1];
    char device[MODEM_NAME_SIZE];
    DWORD forced, threadId;
    DialSlot *dial;

    *handle = NULL;
    SimCopy(entryName, params->szEntryName, sizeof(entryName));
    SimCopy(phone, params->szPhoneNumber, sizeof(phone));
    SimCopy(user, params->szUserName, sizeof(user));
    /* A named entry must be in the phone book; its number is dialed
     * unless the parameters give one. The password is never kept. */
    if (entryName[0] && !EntryNumber(entryName, phone[0] ? NULL : phone, sizeof(phone)))
        return ERROR_CANNOT_FIND_PHONEBOOK_ENTRY;
    if (!entryName[0] && !phone[0])
        return ERROR_INVALID_PARAMETER;
    SimWriteText(SIM_LASTDIAL, "Entry", entryName);
    SimWriteText(SIM_LASTDIAL, "Phone", phone);
    SimWriteText(SIM_LASTDIAL, "User", user);
    forced = SimNumber("DialResult", 0);
    if (forced)
        return forced;
    if (SimModemCount() == 0)
        return ERROR_DEVICE_DOES_NOT_EXIST;
    EntryDevice(entryName, device);

    EnsureLock();
    EnterCriticalSection(&DialLock);
    ReapFinished();
    dial = FreeSlot();
    if (!dial) {
        LeaveCriticalSection(&DialLock);
        return ERROR_PORT_NOT_AVAILABLE;
    }
    dial->stepCount = ProfileSteps(dial->steps);
    dial->notifier = notifier;
    dial->id = NewConnectionId();
    ConnectionKey(dial->id, dial->key);
    dial->stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    if (!dial->stop || !SimWriteText(dial->key, "Entry", entryName) || !SimWriteText(dial->key, "Device", device) ||
        !SimWriteText(dial->key, "Phone", phone) || !SimWriteNumber(dial->key, "State", RASCS_OpenPort) ||
        !SimWriteNumber(dial->key, "Error", 0) || !SimWriteNumber(dial->key, "Connected", 0)) {
        SimDeleteKey(SIM_CONNECTIONS, ConnectionName(dial->key));
        if (dial->stop)
            CloseHandle(dial->stop);
        ZeroMemory(dial, sizeof(*dial));
        LeaveCriticalSection(&DialLock);
        return ERROR_CANNOT_WRITE_PHONEBOOK;
    }
    dial->thread = CreateThread(NULL, 0, RunDial, dial, 0, &threadId);
    if (!dial->thread) {
        SimDeleteKey(SIM_CONNECTIONS, ConnectionName(dial->key));
        CloseHandle(dial->stop);
        ZeroMemory(dial, sizeof(*dial));
        LeaveCriticalSection(&DialLock);
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    dial->threadId = threadId;
    *handle = (HRASCONN)(ULONG_PTR)dial->id;
    LeaveCriticalSection(&DialLock);
    return 0;
}

/* Whether the line of a connected dial has dropped: "DropAfterMs" after
 * it came up (0 = never). */
static BOOL LineDropped(const char *key)
{
    DWORD dropAfter = SimNumber("DropAfterMs", 0), connected = 0, size;
    ULONGLONG start = 0;
    if (!dropAfter || !SimReadNumber(key, "Connected", &connected) || !connected)
        return FALSE;
    size = sizeof(start);
    if (!SimReadBinary(key, "Start", &start, &size) || size != sizeof(start))
        return FALSE;
    return Now() - start >= (ULONGLONG)dropAfter * 10000;
}

static DWORD SimStatus(HRASCONN handle, LPRASCONNSTATUSA status)
{
    char key[CONN_KEY_SIZE];
    DWORD size = status->dwSize, state = 0, error = 0;
    ConnectionKey(IdOf(handle), key);
    if (!SimKeyExists(key))
        return ERROR_INVALID_HANDLE;
    if (LineDropped(key)) {
        SimDeleteKey(SIM_CONNECTIONS, ConnectionName(key));
        return ERROR_INVALID_HANDLE;
    }
    SimReadNumber(key, "State", &state);
    SimReadNumber(key, "Error", &error);
    /* Only the fields inside the caller's record size are written. */
    status->rasconnstate = (RASCONNSTATE)state;
    status->dwError = error;
    SimCopy(status->szDeviceType, RASDT_Modem, sizeof(status->szDeviceType));
    if (!SimReadText(key, "Device", status->szDeviceName, sizeof(status->szDeviceName)))
        status->szDeviceName[0] = 0;
    if (size >= sizeof(RASCONNSTATUSA) &&
        !SimReadText(key, "Phone", status->szPhoneNumber, sizeof(status->szPhoneNumber)))
        status->szPhoneNumber[0] = 0;
    return 0;
}

/* Waits for a dial's thread to end; sent messages are handled meanwhile so
 * that a notifier that sends to the hanging-up thread's window cannot
 * deadlock it. The thread is at most finishing one notifier call. */
static void WaitForDial(HANDLE thread)
{
    for (;;) {
        MSG msg;
        DWORD rc = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (rc != WAIT_OBJECT_0 + 1)
            break;
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE);
    }
}

static DWORD SimHangUp(HRASCONN handle)
{
    char key[CONN_KEY_SIZE];
    DWORD id = IdOf(handle);
    HANDLE thread = NULL;
    BOOL known = FALSE;
    int i;

    EnsureLock();
    EnterCriticalSection(&DialLock);
    for (i = 0; i < MAX_DIALS; i++) {
        if (Dials[i].id != id || !Dials[i].thread)
            continue;
        known = TRUE;
        Dials[i].id = 0;
        SetEvent(Dials[i].stop);
        /* Hung up from inside the notifier: the thread ends when the
         * notifier returns, and its handles are closed at a later reap. */
        if (Dials[i].threadId != GetCurrentThreadId())
            DuplicateHandle(GetCurrentProcess(), Dials[i].thread, GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE,
                            0);
    }
    LeaveCriticalSection(&DialLock);
    if (thread) {
        WaitForDial(thread);
        CloseHandle(thread);
    }
    EnterCriticalSection(&DialLock);
    ReapFinished();
    LeaveCriticalSection(&DialLock);

    ConnectionKey(id, key);
    if (SimDeleteKey(SIM_CONNECTIONS, ConnectionName(key)))
        known = TRUE;
    return known ? 0 : ERROR_INVALID_HANDLE;
}

static DWORD SimSpeed(HRASCONN handle, DWORD *bitsPerSecond)
{
    char key[CONN_KEY_SIZE];
    DWORD connected = 0, forced;
    ConnectionKey(IdOf(handle), key);
    if (!SimReadNumber(key, "Connected", &connected) || LineDropped(key))
        return ERROR_INVALID_HANDLE;
    if (!connected)
        return ERROR_NOT_CONNECTED;
    forced = SimNumber("LinkSpeedResult", 0);
    if (forced)
        return forced;
    *bitsPerSecond = SimNumber("LinkSpeed", 53333);
    return 0;
}

static HRASCONN SimFind(LPCSTR entryName)
{
    HKEY key;
    char name[32], conn[CONN_KEY_SIZE], entry[RAS_MaxEntryName + 1];
    DWORD i, connected;
    HRASCONN found = NULL;

    if (RegOpenKeyExA(HKEY_CURRENT_USER, SIM_CONNECTIONS, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return NULL;
    for (i = 0; !found; i++) {
        DWORD len = sizeof(name);
        FILETIME written;
        const char *p = name;
        DWORD id;
        if (RegEnumKeyExA(key, i, name, &len, NULL, NULL, NULL, &written) != ERROR_SUCCESS)
            break;
        id = ParseNumber(&p);
        if (*p || id == 0)
            continue;
        ConnectionKey(id, conn);
        connected = 0;
        if (!SimReadNumber(conn, "Connected", &connected) || !connected || LineDropped(conn))
            continue;
        if (SimReadText(conn, "Entry", entry, sizeof(entry)) && lstrcmpiA(entry, entryName) == 0)
            found = (HRASCONN)(ULONG_PTR)id;
    }
    RegCloseKey(key);
    return found;
}

static const LineBackend SIMULATED_LINE = {SimDial, SimStatus, SimHangUp, SimSpeed, SimFind};

const LineBackend *SimulatedLine(void)
{
    return &SIMULATED_LINE;
}
