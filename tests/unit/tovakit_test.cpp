// Tovakit, bound by ordinal as the dialer binds it: product texts within
// their buffers, script texts, versions and program starts, and the line
// simulator (dialling through the notifier thread, failures, hang-up, live
// connections, phone book, modems, environment checks). Every test starts
// and ends with an empty simulator key, so each sets only its own profile.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tovakit.h"

namespace {

const char kSimRoot[] = "Software\\TovakitSim";
const char kProfile[] = "Software\\TovakitSim\\Profile";
const char kLastDial[] = "Software\\TovakitSim\\LastDial";
const char kEntry[] = "PALVEX TOVANET";
const char kModem[] = "Standard 56K Modem";
const char kFastSteps[] = "0,0,20;1,0,20;2,0,20;3,0,20;4,0,20;5,0,20;14,0,20;8192,0,20";
const BYTE kGuard = 0xCC;

void SetText(const char *name, const std::string &text)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProfile, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)text.c_str(), (DWORD)text.size() + 1);
    RegCloseKey(key);
}

void SetNumber(const char *name, DWORD value)
{
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kProfile, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, sizeof(value));
    RegCloseKey(key);
}

std::string ReadText(const char *path, const char *name)
{
    char text[512] = "";
    DWORD size = sizeof(text), type = 0;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, (BYTE *)text, &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && type == REG_SZ ? std::string(text) : std::string("<no value>");
}

// Whether any value under the key (or its sub-keys) holds the text.
bool TreeHolds(HKEY parent, const char *path, const std::string &needle)
{
    HKEY key;
    if (RegOpenKeyExA(parent, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool found = false;
    for (DWORD i = 0; !found; i++) {
        char name[300];
        BYTE data[4096];
        DWORD nameLen = sizeof(name), dataLen = sizeof(data);
        if (RegEnumValueA(key, i, name, &nameLen, nullptr, nullptr, data, &dataLen) != ERROR_SUCCESS)
            break;
        found = std::string((const char *)data, dataLen).find(needle) != std::string::npos;
    }
    for (DWORD i = 0; !found; i++) {
        char name[300];
        DWORD len = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        found = TreeHolds(key, name, needle);
    }
    RegCloseKey(key);
    return found;
}

// What the notifier saw: every call with its thread.
struct Event {
    UINT msg;
    DWORD state, error, thread;
};
std::mutex EventLock;
std::condition_variable EventSignal;
std::vector<Event> Events;
std::atomic<HRASCONN> HangUpInside;   // hung up by the notifier at state 2
std::atomic<DWORD> HangUpInsideResult;

// Runs on the simulator's thread: records only, the test thread checks.
VOID WINAPI Notifier(UINT msg, RASCONNSTATE state, DWORD error)
{
    HRASCONN inside = HangUpInside;
    if (state == RASCS_ConnectDevice && inside)
        HangUpInsideResult = TkHangUp(inside);
    std::lock_guard<std::mutex> hold(EventLock);
    Events.push_back(Event{msg, (DWORD)state, error, GetCurrentThreadId()});
    EventSignal.notify_all();
}

void ClearEvents()
{
    std::lock_guard<std::mutex> hold(EventLock);
    Events.clear();
}

std::vector<Event> Seen()
{
    std::lock_guard<std::mutex> hold(EventLock);
    return Events;
}

// Waits until the notifier has been called count times or reported an
// error or the connected state.
bool WaitEvents(size_t count, int ms)
{
    std::unique_lock<std::mutex> hold(EventLock);
    return EventSignal.wait_for(hold, std::chrono::milliseconds(ms), [&] {
        if (Events.size() >= count)
            return true;
        return !Events.empty() && (Events.back().error != 0 || Events.back().state == RASCS_Connected);
    });
}

class Tovakit : public ::testing::Test {
protected:
    HRASCONN conn = nullptr;

    void SetUp() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, kSimRoot);
        ClearEvents();
        HangUpInside = nullptr;
        HangUpInsideResult = 0xFFFFFFFF;
    }
    void TearDown() override
    {
        if (conn)
            TkHangUp(conn);
        RegDeleteTreeA(HKEY_CURRENT_USER, kSimRoot);
    }

    DWORD WriteEntry(const char *device = kModem, LPVOID config = nullptr, DWORD size = 0)
    {
        return TkWriteEntry(kEntry, 82, "2", "01433", device, "", config, size);
    }

    DWORD Dial(const char *user = "member01@tovanet", const char *password = "s3cret!pw")
    {
        RASDIALPARAMSA params;
        ZeroMemory(&params, sizeof(params));
        params.dwSize = TK_DIALPARAMS_SIZE;
        lstrcpyA(params.szEntryName, kEntry);
        lstrcpyA(params.szUserName, user);
        lstrcpyA(params.szPassword, password);
        return TkDial(nullptr, nullptr, &params, 0, (LPVOID)Notifier, &conn);
    }

    DWORD Status(RASCONNSTATUSA *status, HRASCONN handle)
    {
        ZeroMemory(status, sizeof(*status));
        status->dwSize = TK_CONNSTATUS_SIZE;
        return TkGetConnectStatus(handle, status);
    }

    // Dials on fast steps and waits for the connected state.
    void Connect()
    {
        SetText("DialSteps", kFastSteps);
        ASSERT_EQ(WriteEntry(), 0u);
        ASSERT_EQ(Dial(), 0u);
        ASSERT_TRUE(WaitEvents(8, 5000));
        ASSERT_EQ(Seen().back().state, (DWORD)RASCS_Connected);
    }
};

// --- Product texts -------------------------------------------------------

struct TextCase {
    const char *what;
    void(WINAPI *get)(char *);
    size_t capacity;
    const char *expected;
};

TEST_F(Tovakit, ProductTextsFitTheirBuffers)
{
    const TextCase cases[] = {
        {"10 product key", TkGetProductKey, 64, "TVLK"},
        {"11 entry name", TkGetEntryName, 64, "PALVEX TOVANET"},
        {"12 caption", TkGetWindowCaption, 64, "PalvexCard Tovanet"},
        {"13 shortcut description", TkGetShortcutDesc, 128, nullptr},
        {"14 shortcut file", TkGetShortcutFile, 48, "PalvexTovanet.LNK"},
        {"15 start page", TkGetStartPage, 260, "http://www.tovanet.co.kr/"},
        {"19 network setup", TkGetNetSetupName, 64, "NETSETUP.EXE"},
        {"151 upgrade program", TkGetUpgradeProgram, 64, "TVUPDATE.EXE"},
    };
    for (const TextCase &c : cases) {
        std::vector<char> buf(c.capacity + 32, (char)kGuard);
        c.get(buf.data());
        size_t len = strnlen(buf.data(), c.capacity);
        EXPECT_LT(len, c.capacity) << c.what;
        EXPECT_GT(len, 0u) << c.what;
        if (c.expected)
            EXPECT_STREQ(buf.data(), c.expected) << c.what;
        for (size_t i = len + 1; i < buf.size(); i++)
            ASSERT_EQ((BYTE)buf[i], kGuard) << c.what << " wrote byte " << i;
    }
    TkReserved17();
}

TEST_F(Tovakit, UpdateServerAndComponents)
{
    char host[128 + 16];
    memset(host, kGuard, sizeof(host));
    DWORD id = 0;
    DWORD port = TkGetUpdateServer(host, &id);
    EXPECT_EQ(port & 0xFFFF, 8080u);
    EXPECT_STREQ(host, "update.tovanet.co.kr");
    EXPECT_NE(id, 0u);

    ASSERT_EQ(TkGetUpdateCount(), 3u);
    for (DWORD i = 0; i < 3; i++) {
        char name[80 + 8], version[32 + 8];
        memset(name, kGuard, sizeof(name));
        memset(version, kGuard, sizeof(version));
        DWORD flag = 0xFFFFFFFF;
        ASSERT_TRUE(TkGetUpdateComponent(i, name, version, &flag)) << i;
        EXPECT_LT(strnlen(name, 80), 80u);
        EXPECT_LT(strnlen(version, 32), 32u);
        EXPECT_NE(flag, 0xFFFFFFFFu);
        EXPECT_EQ((BYTE)name[80], kGuard);
        EXPECT_EQ((BYTE)version[32], kGuard);
        if (i == 1)
            EXPECT_STREQ(version, "TVLK19991012A");
    }
    char name[80], version[32];
    DWORD flag;
    EXPECT_FALSE(TkGetUpdateComponent(3, name, version, &flag));
}

// The VERSION token of a script text, as major << 24 | minor << 16.
DWORD VersionOf(const std::string &text)
{
    size_t at = text.find("VERSION");
    if (at == std::string::npos)
        return 0;
    unsigned major = 0, minor = 0;
    sscanf(text.c_str() + at + 7, " %u.%u", &major, &minor);
    return (major & 0xFF) << 24 | (minor & 0xFF) << 16;
}

TEST_F(Tovakit, ScriptTextsCarryTheirVersions)
{
    DWORD size = TkGetEntryScript(nullptr, 0);
    ASSERT_GT(size, 0u);
    std::vector<char> entry(size + 16, (char)kGuard);
    ASSERT_EQ(TkGetEntryScript(entry.data(), size), size);
    EXPECT_EQ((BYTE)entry[size], kGuard);
    EXPECT_NE(VersionOf(std::string(entry.data(), size)), 0u);

    DWORD count = TkGetScriptCount() & 0xFFFF;
    ASSERT_GE(count, 2u);
    std::vector<std::string> files;
    for (DWORD i = 0; i < count; i++) {
        DWORD version = 0;
        size = TkGetScript(i, nullptr, 0, &version);
        ASSERT_GT(size, 0u) << i;
        std::vector<char> text(size + 16, (char)kGuard);
        DWORD again = 0;
        ASSERT_EQ(TkGetScript(i, text.data(), size, &again), size);
        EXPECT_EQ((BYTE)text[size], kGuard);
        EXPECT_EQ(again, version);
        std::string body(text.data(), size);
        // The dialer looks for the version within the first 255 bytes.
        EXPECT_LT(body.find("VERSION"), 255u - 16) << i;
        EXPECT_EQ(VersionOf(body), version) << i;

        char file[64 + 8];
        memset(file, kGuard, sizeof(file));
        TkGetScriptFileName(i, file);
        EXPECT_LT(strnlen(file, 64), 64u);
        EXPECT_GT(strlen(file), 0u);
        files.push_back(file);
    }
    for (size_t i = 1; i < files.size(); i++)
        EXPECT_NE(files[i], files[0]);

    // A short buffer gets only its size; an index past the last gets nothing.
    char small[8 + 8];
    memset(small, kGuard, sizeof(small));
    DWORD version = 0;
    EXPECT_EQ(TkGetScript(0, small, 8, &version), 8u);
    EXPECT_EQ((BYTE)small[8], kGuard);
    EXPECT_EQ(TkGetScript(count, nullptr, 0, &version), 0u);
}

// --- Versions and programs -----------------------------------------------

TEST_F(Tovakit, VersionsFromVersionResources)
{
    // 311 gives major.minor whole; 301 the major and the minor's low byte
    // in bits 8-15. At least one of the files has a minor number to show it.
    const char *files[] = {"KERNEL32.DLL", "COMCTL32.DLL", "RICHED20.DLL", "WININET.DLL"};
    bool sawMinor = false;
    for (const char *file : files) {
        DWORD a = 0, b = 0;
        if (!TkGetSystemLibraryVersion(file, &a, &b))
            continue;
        EXPECT_NE(a >> 16, 0u) << file;
        char path[MAX_PATH];
        UINT len = GetSystemDirectoryA(path, sizeof(path));
        ASSERT_GT(len, 0u);
        lstrcatA(path, "\\");
        lstrcatA(path, file);
        DWORD fa = 0, fb = 0;
        ASSERT_TRUE(TkGetFileVersion(path, &fa, &fb)) << file;
        EXPECT_EQ(fa, (a & 0xFFFF0000) | ((a & 0xFF) << 8)) << file;
        EXPECT_EQ(fb >> 16, b) << file;
        sawMinor = sawMinor || (a & 0xFF) != 0;
    }
    EXPECT_TRUE(sawMinor);

    char path[MAX_PATH];
    GetSystemDirectoryA(path, sizeof(path));
    lstrcatA(path, "\\kernel32.dll");
    char text[32 + 8];
    memset(text, kGuard, sizeof(text));
    ASSERT_TRUE(TkGetVersionString(path, "FileVersion", text, 32));
    EXPECT_GT(strlen(text), 0u);
    EXPECT_EQ((BYTE)text[32], kGuard);
    EXPECT_FALSE(TkGetVersionString(path, "NoSuchKey", text, 32));
    EXPECT_STREQ(text, "");

    DWORD a, b;
    EXPECT_FALSE(TkGetFileVersion("C:\\no\\such\\file.exe", &a, &b));
    EXPECT_FALSE(TkGetSystemLibraryVersion("NOSUCH.DLL", &a, &b));
}

TEST_F(Tovakit, RunAndWaitWaitsForTheProgram)
{
    char dir[MAX_PATH], file[MAX_PATH], command[3 * MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    wsprintfA(file, "%stovakit_run_%lu.txt", dir, GetCurrentProcessId());
    DeleteFileA(file);
    wsprintfA(command, "cmd.exe /c echo done>\"%s\"", file);
    ASSERT_TRUE(TkRunAndWait(command, 1));
    EXPECT_NE(GetFileAttributesA(file), INVALID_FILE_ATTRIBUTES) << "returned before the program ended";
    DeleteFileA(file);

    EXPECT_FALSE(TkRunAndWait("C:\\no\\such\\program.exe", 1));
    EXPECT_FALSE(TkStartProgram("C:\\no\\such\\program.exe"));
    EXPECT_FALSE(TkStartProgram(""));
}

// --- Modems, telephony and the environment ---------------------------------

TEST_F(Tovakit, ModemsComeFromTheProfile)
{
    char name[RAS_MaxDeviceName + 1];
    DWORD index = 0, size = 0, spare = 1;
    ASSERT_EQ(TkEnumModem(name, &index, 0, &size, &spare, 0), 0u);
    EXPECT_STREQ(name, kModem);
    EXPECT_GT(size, 0u);
    index = 1;
    EXPECT_EQ(TkEnumModem(name, &index, 0, nullptr, nullptr, 0), TK_NO_DEVICE);
    EXPECT_EQ(TkGetModemCount(GetModuleHandleA(nullptr), 0), 1);

    SetText("Modems", "First Modem|Second Modem");
    index = 1;
    ASSERT_EQ(TkEnumModem(name, &index, 0, nullptr, nullptr, 1), 0u);
    EXPECT_STREQ(name, "Second Modem");
    EXPECT_EQ(TkGetModemCount(GetModuleHandleA(nullptr), 0), 2);

    SetText("Modems", "");
    index = 0;
    EXPECT_EQ(TkEnumModem(name, &index, 0, nullptr, nullptr, 0), TK_NO_DEVICE);
    EXPECT_EQ(TkGetModemConfig(name, &index, nullptr, &size), TK_NO_DEVICE);
    EXPECT_EQ(TkGetModemCount(GetModuleHandleA(nullptr), 0), 0);
    SetNumber("ModemCount", (DWORD)-3);
    EXPECT_EQ(TkGetModemCount(GetModuleHandleA(nullptr), 0), -3);
}

DWORD At(const std::vector<BYTE> &block, size_t offset)
{
    DWORD v;
    memcpy(&v, block.data() + offset, sizeof(v));
    return v;
}

TEST_F(Tovakit, ModemConfigurationIsAUnimodemBlock)
{
    SetNumber("CallSetupFailTimer", 29);
    SetNumber("SpeakerVolume", 0);
    SetNumber("SpeakerMode", 2);
    char name[RAS_MaxDeviceName + 1];
    DWORD index = 0, size = 0;
    ASSERT_EQ(TkGetModemConfig(name, &index, nullptr, &size), 0u);
    ASSERT_GE(size, 108u);

    std::vector<BYTE> block(size + 16, kGuard);
    DWORD small = size - 1;
    EXPECT_EQ(TkGetModemConfig(name, &index, block.data(), &small), (DWORD)ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(small, size);
    EXPECT_EQ(block[0], kGuard);

    ASSERT_EQ(TkGetModemConfig(name, &index, block.data(), &size), 0u);
    EXPECT_STREQ(name, kModem);
    EXPECT_EQ(block[size], kGuard);
    EXPECT_EQ(At(block, 0), size);
    EXPECT_EQ(At(block, 4), 0x10003u);
    EXPECT_EQ(At(block, 48), 6u);                 // provider subtype: modem
    DWORD settings = 12 + At(block, 52);           // provider data, from the COMMCONFIG
    EXPECT_GE(At(block, 56), 44u);
    ASSERT_LE(settings + 36, size);
    EXPECT_EQ(At(block, settings + 16), 29u);      // call-setup-fail timer
    EXPECT_EQ(At(block, settings + 24), 0u);       // speaker volume
    EXPECT_EQ(At(block, settings + 28), 2u);       // speaker mode
}

TEST_F(Tovakit, EnvironmentChecksFollowTheProfile)
{
    DWORD a = 0, b = 0;
    EXPECT_NE(TkCheckNetworkConfig(), 0);
    EXPECT_EQ(TkCheckDialupAdapter(), 2);
    EXPECT_TRUE(TkCheckDialupNetworking());
    EXPECT_TRUE(TkCheckTelephony());
    EXPECT_TRUE(TkGetScriptingToolVersion(&a, &b));
    EXPECT_NE(a, 0u);
    EXPECT_TRUE(TkOpenNetworkPanel());
    EXPECT_EQ(TkRunModemWizard(), nullptr);     // no wizard named

    BYTE location[TK_LOCATION_SIZE + 16];
    memset(location, kGuard, sizeof(location));
    ASSERT_EQ(TkGetDialingLocation(location), 0u);
    DWORD country;
    memcpy(&country, location + TK_LOCATION_COUNTRY, sizeof(country));
    EXPECT_EQ(country, 82u);
    EXPECT_STREQ((const char *)location + TK_LOCATION_AREA, "02");
    EXPECT_EQ(location[TK_LOCATION_SIZE], kGuard);

    SetNumber("NetworkConfig", 0);
    SetNumber("DialupAdapter", (DWORD)-2);
    SetNumber("DialupNetworking", 0);
    SetNumber("Telephony", 0);
    SetNumber("ScriptTool", 0);
    SetNumber("NetworkPanelResult", 0);
    SetNumber("CountryCode", 1);
    SetText("AreaCode", "051");
    EXPECT_EQ(TkCheckNetworkConfig(), 0);
    EXPECT_EQ(TkCheckDialupAdapter(), -2);
    EXPECT_FALSE(TkCheckDialupNetworking());
    EXPECT_FALSE(TkCheckTelephony());
    EXPECT_FALSE(TkGetScriptingToolVersion(&a, &b));
    EXPECT_FALSE(TkOpenNetworkPanel());
    ASSERT_EQ(TkGetDialingLocation(location), 0u);
    memcpy(&country, location + TK_LOCATION_COUNTRY, sizeof(country));
    EXPECT_EQ(country, 1u);
    EXPECT_STREQ((const char *)location + TK_LOCATION_AREA, "051");

    SetText("ModemWizard", "cmd.exe /c exit");
    HANDLE wizard = TkRunModemWizard();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(WaitForSingleObject(wizard, 10000), WAIT_OBJECT_0);
    CloseHandle(wizard);
}

// --- Phone book ------------------------------------------------------------

TEST_F(Tovakit, EntryWriteThenReadRoundTrips)
{
    DWORD es = 0, ds = 0;
    EXPECT_EQ(TkGetEntryProperties(nullptr, kEntry, nullptr, &es, nullptr, &ds),
              (DWORD)ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);
    EXPECT_EQ(TkValidateEntryName(nullptr, kEntry), 0u);

    // The modem's own block with a changed timer goes in and comes back.
    char name[RAS_MaxDeviceName + 1];
    DWORD index = 0, size = 0;
    ASSERT_EQ(TkGetModemConfig(name, &index, nullptr, &size), 0u);
    std::vector<BYTE> config(size);
    ASSERT_EQ(TkGetModemConfig(name, &index, config.data(), &size), 0u);
    DWORD timer = 45;
    memcpy(config.data() + 12 + 48 + 16, &timer, sizeof(timer));
    ASSERT_EQ(TkWriteEntry(kEntry, 82, "2", "9,01433", kModem, "C:\\TOVA\\PALVEX TOVANET.SCP", config.data(),
                           size),
              0u);
    EXPECT_EQ(TkValidateEntryName(nullptr, kEntry), (DWORD)ERROR_ALREADY_EXISTS);
    EXPECT_EQ(TkValidateEntryName(nullptr, "palvex tovanet"), (DWORD)ERROR_ALREADY_EXISTS);

    // Probe: no buffers, both sizes reported.
    es = ds = 0;
    ASSERT_EQ(TkGetEntryProperties(nullptr, kEntry, nullptr, &es, nullptr, &ds), (DWORD)ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(es, (DWORD)TK_ENTRY_SIZE);
    EXPECT_EQ(ds, size);

    // Read into a record of exactly the Windows 95 size: nothing beyond it is written.
    std::vector<BYTE> record(TK_ENTRY_SIZE + 64, kGuard);
    std::vector<BYTE> device(ds + 16, kGuard);
    RASENTRYA *entry = (RASENTRYA *)record.data();
    entry->dwSize = TK_ENTRY_SIZE;
    ASSERT_EQ(TkGetEntryProperties(nullptr, kEntry, entry, &es, device.data(), &ds), 0u);
    for (size_t i = TK_ENTRY_SIZE; i < record.size(); i++)
        ASSERT_EQ(record[i], kGuard) << "entry byte " << i;
    EXPECT_EQ(device[ds], kGuard);
    EXPECT_EQ(entry->dwCountryCode, 82u);
    EXPECT_STREQ(entry->szAreaCode, "2");
    EXPECT_STREQ(entry->szLocalPhoneNumber, "9,01433");
    EXPECT_STREQ(entry->szScript, "C:\\TOVA\\PALVEX TOVANET.SCP");
    EXPECT_STREQ(entry->szDeviceName, kModem);
    EXPECT_EQ(std::vector<BYTE>(device.begin(), device.begin() + ds), config);

    // A device buffer too small: sizes reported, nothing written.
    DWORD smallDs = ds - 1;
    std::vector<BYTE> other(ds, kGuard);
    EXPECT_EQ(TkGetEntryProperties(nullptr, kEntry, entry, &es, other.data(), &smallDs),
              (DWORD)ERROR_BUFFER_TOO_SMALL);
    EXPECT_EQ(smallDs, ds);
    EXPECT_EQ(other[0], kGuard);

    // A record of an unknown size is refused.
    entry->dwSize = 100;
    EXPECT_EQ(TkGetEntryProperties(nullptr, kEntry, entry, &es, nullptr, nullptr), (DWORD)ERROR_INVALID_SIZE);

    // Without a configuration the entry gets the modem's default block.
    ASSERT_EQ(WriteEntry(), 0u);
    ds = 0;
    ASSERT_EQ(TkGetEntryProperties(nullptr, kEntry, nullptr, &es, nullptr, &ds), (DWORD)ERROR_BUFFER_TOO_SMALL);
    std::vector<BYTE> defaults(ds);
    entry->dwSize = TK_ENTRY_SIZE;
    es = TK_ENTRY_SIZE;
    ASSERT_EQ(TkGetEntryProperties(nullptr, kEntry, entry, &es, defaults.data(), &ds), 0u);
    EXPECT_EQ(At(defaults, 4), 0x10003u);
    EXPECT_EQ(At(defaults, 48), 6u);
}

TEST_F(Tovakit, EntryWritesRefuseUnusableDevicesAndBadNames)
{
    EXPECT_EQ(WriteEntry("No Such Modem"), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(WriteEntry(""), (DWORD)ERROR_INVALID_PARAMETER);
    SetText("UnusableDevices", "standard 56k modem");
    EXPECT_EQ(WriteEntry(), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(TkValidateEntryName(nullptr, kEntry), 0u);
    SetText("UnusableDevices", "");

    // Names the phone book cannot hold, and texts longer than the entry's fields.
    std::string longName(RAS_MaxEntryName + 40, 'N');
    EXPECT_EQ(TkWriteEntry(longName.c_str(), 82, "2", "01433", kModem, "", nullptr, 0), (DWORD)ERROR_INVALID_NAME);
    EXPECT_EQ(TkValidateEntryName(nullptr, longName.c_str()), (DWORD)ERROR_INVALID_NAME);
    EXPECT_EQ(TkWriteEntry("A\\B", 82, "2", "01433", kModem, "", nullptr, 0), (DWORD)ERROR_INVALID_NAME);
    EXPECT_EQ(TkWriteEntry(kEntry, 82, "123456789012", "01433", kModem, "", nullptr, 0),
              (DWORD)ERROR_INVALID_PARAMETER);
    DWORD es = 0, ds = 0;
    EXPECT_EQ(TkGetEntryProperties(nullptr, longName.c_str(), nullptr, &es, nullptr, &ds),
              (DWORD)ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);

    // Forced results.
    SetNumber("WriteEntryResult", 621);
    EXPECT_EQ(WriteEntry(), 621u);
    SetNumber("WriteEntryResult", 0);
    ASSERT_EQ(WriteEntry(), 0u);
    SetNumber("EntryPropertiesResult", 127);
    EXPECT_EQ(TkGetEntryProperties(nullptr, kEntry, nullptr, &es, nullptr, &ds), 127u);
}

// --- The line --------------------------------------------------------------

TEST_F(Tovakit, DefaultDialReachesConnectedThroughTheNotifierThread)
{
    ASSERT_EQ(WriteEntry(), 0u);
    DWORD started = GetTickCount();
    ASSERT_EQ(Dial(), 0u);
    ASSERT_NE(conn, nullptr);
    ASSERT_TRUE(WaitEvents(8, 10000));
    DWORD took = GetTickCount() - started;

    const DWORD expected[] = {0, 1, 2, 3, 4, 5, 14, RASCS_Connected};
    std::vector<Event> seen = Seen();
    ASSERT_EQ(seen.size(), 8u);
    for (size_t i = 0; i < seen.size(); i++) {
        EXPECT_EQ(seen[i].msg, (UINT)WM_RASDIALEVENT) << i;
        EXPECT_EQ(seen[i].state, expected[i]) << i;
        EXPECT_EQ(seen[i].error, 0u) << i;
        EXPECT_NE(seen[i].thread, GetCurrentThreadId()) << "notifier called on the dialer's thread";
    }
    EXPECT_GE(took, 2000u);
    EXPECT_LE(took, 8000u);

    RASCONNSTATUSA status;
    ASSERT_EQ(Status(&status, conn), 0u);
    EXPECT_EQ(status.rasconnstate, RASCS_Connected);
    EXPECT_EQ(status.dwError, 0u);
    EXPECT_STREQ(status.szDeviceName, kModem);

    DWORD record[11] = {44};
    ASSERT_EQ(TkGetLinkSpeed(conn, record), 0u);
    EXPECT_EQ(record[5], 53333u);

    // The last dial is recorded, its password nowhere.
    EXPECT_EQ(ReadText(kLastDial, "Entry"), kEntry);
    EXPECT_EQ(ReadText(kLastDial, "Phone"), "01433");
    EXPECT_EQ(ReadText(kLastDial, "User"), "member01@tovanet");
    EXPECT_FALSE(TreeHolds(HKEY_CURRENT_USER, kSimRoot, "s3cret!pw"));

    EXPECT_EQ(TkHangUp(conn), 0u);
    EXPECT_NE(Status(&status, conn), 0u);
    conn = nullptr;
}

struct FailureCase {
    const char *what;
    const char *steps;
    DWORD error;
};

TEST_F(Tovakit, FailingLinesEndWithTheirError)
{
    const FailureCase cases[] = {
        {"busy", "0,0,10;1,0,10;2,0,10;1,676,10;8192,0,10", 676},
        {"no dial tone", "0,0,10;1,0,10;2,680,10", 680},
        {"no answer", "0,0,10;1,0,10;2,0,10;3,678,10", 678},
        {"bad password", "0,0,10;1,0,10;2,0,10;3,0,10;4,0,10;5,0,10;14,629,10", 629},
    };
    for (const FailureCase &c : cases) {
        SetUp();
        ASSERT_EQ(WriteEntry(), 0u);
        SetText("DialSteps", c.steps);
        ASSERT_EQ(Dial(), 0u) << c.what;
        ASSERT_TRUE(WaitEvents(100, 5000)) << c.what;
        Sleep(100);     // nothing may follow the error
        std::vector<Event> seen = Seen();
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back().error, c.error) << c.what;
        for (size_t i = 0; i + 1 < seen.size(); i++)
            EXPECT_EQ(seen[i].error, 0u) << c.what;
        RASCONNSTATUSA status;
        ASSERT_EQ(Status(&status, conn), 0u) << c.what;
        EXPECT_EQ(status.dwError, c.error) << c.what;
        EXPECT_EQ(TkFindConnection(kEntry), nullptr) << c.what;
        EXPECT_EQ(TkHangUp(conn), 0u) << c.what;
        conn = nullptr;
    }
}

TEST_F(Tovakit, RefusedDialsGiveNoHandleAndNoNotification)
{
    ASSERT_EQ(WriteEntry(), 0u);
    SetNumber("DialResult", 602);
    EXPECT_EQ(Dial(), 602u);
    EXPECT_EQ(conn, nullptr);
    SetNumber("DialResult", 0);

    // An entry the phone book does not hold.
    RASDIALPARAMSA params;
    ZeroMemory(&params, sizeof(params));
    params.dwSize = TK_DIALPARAMS_SIZE;
    lstrcpyA(params.szEntryName, "NO SUCH ENTRY");
    EXPECT_EQ(TkDial(nullptr, nullptr, &params, 0, (LPVOID)Notifier, &conn), (DWORD)ERROR_CANNOT_FIND_PHONEBOOK_ENTRY);
    EXPECT_EQ(conn, nullptr);
    // A record of an unknown size.
    lstrcpyA(params.szEntryName, kEntry);
    params.dwSize = 1000;
    EXPECT_EQ(TkDial(nullptr, nullptr, &params, 0, (LPVOID)Notifier, &conn), (DWORD)ERROR_INVALID_SIZE);
    EXPECT_EQ(conn, nullptr);
    Sleep(100);
    EXPECT_TRUE(Seen().empty());
}

TEST_F(Tovakit, HangUpStopsNotifications)
{
    ASSERT_EQ(WriteEntry(), 0u);
    SetText("DialSteps", "0,0,10;1,0,10;2,0,10;3,0,20000;8192,0,10");
    ASSERT_EQ(Dial(), 0u);
    ASSERT_TRUE(WaitEvents(3, 5000));
    DWORD started = GetTickCount();
    EXPECT_EQ(TkHangUp(conn), 0u);
    EXPECT_LT(GetTickCount() - started, 2000u) << "hang-up waited for the step";
    size_t count = Seen().size();
    Sleep(200);
    EXPECT_EQ(Seen().size(), count);
    RASCONNSTATUSA status;
    EXPECT_NE(Status(&status, conn), 0u);
    // A second hang-up and an unknown handle are refused, not fatal.
    EXPECT_NE(TkHangUp(conn), 0u);
    EXPECT_NE(TkHangUp((HRASCONN)(ULONG_PTR)54321), 0u);
    conn = nullptr;
}

TEST_F(Tovakit, HangUpFromInsideTheNotifierEndsTheDial)
{
    ASSERT_EQ(WriteEntry(), 0u);
    // The notifier hangs up at state 2; the handle is known before it comes.
    SetText("DialSteps", "0,0,10;1,0,10;2,0,300;3,0,10;8192,0,10");
    ASSERT_EQ(Dial(), 0u);
    HangUpInside = conn;
    ASSERT_TRUE(WaitEvents(3, 5000));
    Sleep(300);
    std::vector<Event> seen = Seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen.back().state, (DWORD)RASCS_ConnectDevice);
    EXPECT_EQ(HangUpInsideResult.load(), 0u);
    RASCONNSTATUSA status;
    EXPECT_NE(Status(&status, conn), 0u);
    conn = nullptr;

    // The simulator still dials afterwards.
    HangUpInside = nullptr;
    ClearEvents();
    Connect();
}

TEST_F(Tovakit, LiveConnectionIsFoundByNameUntilTheLineDrops)
{
    Connect();
    // The dialer's record: the whole size reads the phone number too.
    RASCONNSTATUSA status;
    ZeroMemory(&status, sizeof(status));
    status.dwSize = sizeof(status);
    ASSERT_EQ(TkGetConnectStatus(conn, &status), 0u);
    EXPECT_STREQ(status.szPhoneNumber, "01433");

    EXPECT_EQ(TkFindConnection(kEntry), conn);
    EXPECT_EQ(TkFindConnection("palvex tovanet"), conn);
    EXPECT_EQ(TkFindConnection("OTHER ENTRY"), nullptr);

    SetNumber("DropAfterMs", 400);
    EXPECT_EQ(TkGetConnectStatus(conn, &status), 0u);
    Sleep(500);
    EXPECT_EQ(TkFindConnection(kEntry), nullptr);
    EXPECT_NE(Status(&status, conn), 0u);
    DWORD record[11] = {44};
    EXPECT_NE(TkGetLinkSpeed(conn, record), 0u);
    conn = nullptr;
}

TEST_F(Tovakit, ConnectionStaysFindableAcrossLaterDials)
{
    Connect();
    HRASCONN first = conn;
    conn = nullptr;
    // A later dial gets a handle of its own and leaves the live one alone.
    SetText("DialSteps", "0,0,10");
    ASSERT_EQ(Dial(), 0u);
    EXPECT_NE(conn, first);
    EXPECT_EQ(TkHangUp(conn), 0u);
    conn = nullptr;
    EXPECT_EQ(TkFindConnection(kEntry), first);
    RASCONNSTATUSA status;
    ASSERT_EQ(Status(&status, first), 0u);
    EXPECT_EQ(status.rasconnstate, RASCS_Connected);
    EXPECT_EQ(TkHangUp(first), 0u);
    EXPECT_EQ(TkFindConnection(kEntry), nullptr);
}

TEST_F(Tovakit, RecordSizesOfTheSdkAreTakenUnlessStrict)
{
    Connect();
    RASCONNSTATUSA status;
    ZeroMemory(&status, sizeof(status));
    status.dwSize = sizeof(status);
    EXPECT_EQ(TkGetConnectStatus(conn, &status), 0u);
    SetNumber("StrictSizes", 1);
    EXPECT_EQ(TkGetConnectStatus(conn, &status), (DWORD)ERROR_INVALID_SIZE);
    EXPECT_EQ(Status(&status, conn), 0u);
    status.dwSize = 100;
    EXPECT_EQ(TkGetConnectStatus(conn, &status), (DWORD)ERROR_INVALID_SIZE);
}

}  // namespace
