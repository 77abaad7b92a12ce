// The phone-book entry over the line simulator: creation on the first modem
// the system accepts, the modem's call settings, and the refresh before a
// dial (number, prefix, flag, script path, modem).
#include <gtest/gtest.h>
#include <string>
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/connect/connect.h"
#include "dialer/connect/devconfig.h"
#include "dialer/connect/entry.h"
#include "dialer/connect/numbers.h"
#include "dialer/login/login.h"

namespace {

const char kSim[] = "Software\\TovakitSim";
const char kProfile[] = "Software\\TovakitSim\\Profile";
const char kEntryKey[] = "Software\\TovakitSim\\State\\PhoneBook\\PALVEX TOVANET";

void SetProfile(const char *name, const char *text) {
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kProfile, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE *)text, strlen(text) + 1);
    RegCloseKey(key);
}

void SetProfileNumber(const char *name, DWORD value) {
    HKEY key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kProfile, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_DWORD, (const BYTE *)&value, 4);
    RegCloseKey(key);
}

std::string EntryValue(const char *name) {
    char text[300] = "";
    DWORD size = sizeof(text);
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kEntryKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "(no entry)";
    RegQueryValueExA(key, name, nullptr, nullptr, (BYTE *)text, &size);
    RegCloseKey(key);
    return text;
}

class Entry : public ::testing::Test {
protected:
    LoginWindowState state;
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kSim);
        CreateSettingsRoot(TRUE, "TVLKT6");
        DeleteSettingsRoot(TRUE);
        CreateSettingsRoot(FALSE, "TVLKT6");
        DeleteSettingsRoot(FALSE);
        CreateSettingsRoot(FALSE, "TVLKT6");
        ZeroMemory(&Current, sizeof(Current));
        ZeroMemory(&state, sizeof(state));
        GetTempPathA(sizeof(ProgramDirectory), ProgramDirectory);
        DebugMode = 0;
    }
    void TearDown() override {
        ReleaseEntry(&state);
        ReleaseAccessNumbers(&state);
        RegDeleteTreeA(HKEY_CURRENT_USER, kSim);
        CreateSettingsRoot(FALSE, "TVLKT6");
        DeleteSettingsRoot(FALSE);
        char script[MAX_PATH];
        JoinPath(ProgramDirectory, "PALVEX TOVANET.SCP", script);
        DeleteFileA(script);
    }
    void UseNumber(const char *area, const char *number, WORD type) {
        auto *item = (AccessNumber *)LocalAlloc(LPTR, sizeof(AccessNumber));
        lstrcpyA(item->Area, area);
        lstrcpyA(item->Number, number);
        item->Type = type;
        ReleaseAccessNumbers(&state);
        state.AccessNumbers = item;
    }
    RASENTRYA *EntryRecord() { return (RASENTRYA *)state.EntryBuffer; }
};

TEST_F(Entry, AMissingEntryIsCreatedOnTheFirstUsableModem) {
    SetProfile("Modems", "Broken Modem|Good Modem");
    SetProfile("UnusableDevices", "Broken Modem");
    ASSERT_TRUE(LoadEntry(nullptr, &state));
    EXPECT_EQ(EntryValue("Device"), "Good Modem");
    EXPECT_STREQ(Current.Modem, "Good Modem");
    ASSERT_NE(EntryRecord(), nullptr);
    EXPECT_STREQ(EntryRecord()->szDeviceName, "Good Modem");
    EXPECT_NE(state.DeviceBuffer, nullptr);
    // The entry's script file was written next to the program file.
    char script[MAX_PATH];
    GetModuleFileNameA(nullptr, script, sizeof(script));
    lstrcpyA(strrchr(script, '\\') + 1, "PALVEX TOVANET.SCP");
    EXPECT_NE(GetFileAttributesA(script), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(script);
}

TEST_F(Entry, ShortCallSetupTimersAreRaised) {
    struct Case { DWORD timer, expectTimer, expectVolume, expectMode; BOOL changed; };
    const Case cases[] = {{29, 60, 1, 1, TRUE}, {30, 30, 0, 0, FALSE}, {0, 60, 1, 1, TRUE}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.timer);
        RegDeleteTreeA(HKEY_CURRENT_USER, kSim);
        SetProfileNumber("CallSetupFailTimer", c.timer);
        SetProfileNumber("SpeakerVolume", 0);
        SetProfileNumber("SpeakerMode", 0);
        ReleaseEntry(&state);
        state.EntryChanged = FALSE;
        ASSERT_TRUE(LoadEntry(nullptr, &state));
        AdjustModemSettings(nullptr, &state);
        MODEMSETTINGS *modem = ModemSettingsOf(state.DeviceBuffer, state.DeviceSize);
        ASSERT_NE(modem, nullptr);
        EXPECT_EQ(modem->dwCallSetupFailTimer, c.expectTimer);
        EXPECT_EQ(modem->dwSpeakerVolume, c.expectVolume);
        EXPECT_EQ(modem->dwSpeakerMode, c.expectMode);
        EXPECT_EQ(state.EntryChanged, c.changed);
    }
}

TEST_F(Entry, RefreshWritesPrefixNumberFlagAndModem) {
    SetProfile("Modems", "First Modem|Second Modem");
    ASSERT_TRUE(LoadEntry(nullptr, &state));
    lstrcpyA(EntryRecord()->szScript, "C:\\old.scp");
    lstrcpyA(Current.DialPrefix, "9");
    lstrcpyA(Current.Modem, "Second Modem");
    UseNumber("031", "031-123-4567", ACCESS_ISDN);
    DWORD code = 1;
    ASSERT_TRUE(RefreshEntry(nullptr, &state, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(EntryValue("Number"), "9,031-123-4567");
    EXPECT_EQ(EntryValue("AreaCode"), "031");
    EXPECT_EQ(EntryValue("Script"), "");
    EXPECT_EQ(EntryValue("Device"), "Second Modem");
    EXPECT_FALSE(state.EntryChanged);
    char text[16];
    DWORD flag = 0;
    EXPECT_EQ(ReadUserText(nullptr, "DialPrefix", text, sizeof(text)), 0);
    EXPECT_STREQ(text, "9,");
    EXPECT_EQ(ReadUserNumber(nullptr, "DialFlag", &flag), 0);
    EXPECT_EQ(flag, 65535u);
    // The options of a 0x10003 configuration keep terminal windows closed.
    WORD options = 0;
    CopyMemory(&options, state.DeviceBuffer + 8, 2);
    EXPECT_EQ(options, 8);

    // A prefix that already ends with a comma gets no second one.
    lstrcpyA(Current.DialPrefix, "8,");
    ASSERT_TRUE(RefreshEntry(nullptr, &state, &code));
    EXPECT_EQ(EntryValue("Number"), "8,031-123-4567");
}

TEST_F(Entry, AModemThatIsGoneFallsBackToTheFirstOne) {
    SetProfile("Modems", "First Modem");
    ASSERT_TRUE(LoadEntry(nullptr, &state));
    lstrcpyA(Current.Modem, "Vanished Modem");
    CheckChosenModem(nullptr, &state);
    EXPECT_STREQ(EntryRecord()->szDeviceName, "First Modem");
    EXPECT_TRUE(state.DeviceChanged);
    UseNumber("", "01433", ACCESS_MEMBER);
    DWORD code;
    ASSERT_TRUE(RefreshEntry(nullptr, &state, &code));
    EXPECT_EQ(EntryValue("Device"), "First Modem");
    // The member's choice stays as it was; each dial falls back again.
    char text[64];
    EXPECT_EQ(ReadUserText(nullptr, "Modem", text, sizeof(text)), 0);
    EXPECT_STREQ(text, "Vanished Modem");
}

TEST_F(Entry, RefreshWithoutAnyNumberFails) {
    ASSERT_TRUE(LoadEntry(nullptr, &state));
    DWORD code = 0;
    EXPECT_FALSE(RefreshEntry(nullptr, &state, &code));
    EXPECT_EQ(code, 186u);
    EXPECT_FALSE(RefreshEntry(nullptr, nullptr, &code));
    EXPECT_EQ(code, 87u);
}

TEST(DeviceConfig, ProviderDataOutsideTheBlockIsRejected) {
    BYTE block[200] = {};
    auto put = [&](int at, DWORD v) { CopyMemory(block + at, &v, 4); };
    put(4, 0x10003);
    put(48, 6);
    put(52, 48);
    put(56, 48);
    EXPECT_NE(ModemSettingsOf(block, 108), nullptr);
    EXPECT_EQ(ModemSettingsOf(block, 100), nullptr);     // settings cut off
    put(52, 0xFFFFFFF0);
    EXPECT_EQ(ModemSettingsOf(block, 200), nullptr);     // offset wraps
    put(52, 48);
    put(48, 1);
    EXPECT_EQ(ModemSettingsOf(block, 200), nullptr);     // not a modem
    put(48, 6);
    put(56, 0);
    EXPECT_EQ(ModemSettingsOf(block, 200), nullptr);     // no provider data
    EXPECT_EQ(ModemSettingsOf(nullptr, 200), nullptr);
}

}  // namespace
