// Start-up helpers: options, path joining, text resources in code page 949,
// the run-once entry and the window-title match.
#include <gtest/gtest.h>
#include <string>
#include "dialer/core/app.h"
#include "resource.h"

namespace {

TEST(Options, SubstringCaseSensitiveAndMsetupWins) {
    struct Case { const char *line; DWORD debug; WORD setup; DWORD final; };
    const Case cases[] = {
        {"", 0, 0, 0},
        {nullptr, 0, 0, 0},
        {"-setup", 0, 1, 0},
        {"-msetup", 0, 2, 0},
        {"-setup -msetup", 0, 2, 0},
        {"xx-setupyy", 0, 1, 0},
        {"-SETUP -Debug -FINAL", 0, 0, 0},
        {"-debug -final", 1, 0, 1},
        {"C:\\-final\\x.exe", 0, 0, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line ? c.line : "(none)");
        ReadOptions(c.line);
        EXPECT_EQ(DebugMode, c.debug);
        EXPECT_EQ(SetupMode, c.setup);
        EXPECT_EQ(FinalRun, c.final);
    }
    ReadOptions("");
}

TEST(JoinPath, Rules) {
    struct Case { const char *dir; const char *name; const char *out; };
    const Case cases[] = {
        {"C:\\Tova", "tovalink.hlp", "C:\\Tova\\tovalink.hlp"},
        {"C:\\Tova\\", "tovalink.hlp", "C:\\Tova\\tovalink.hlp"},
        {"", "DATA", "DATA"},
        {nullptr, "DATA", "DATA"},
        {"C:\\Tova", "\\WINDOWS\\x", "\\WINDOWS\\x"},
        {"C:\\Tova", "D:x.ini", "D:x.ini"},
        {"C:\\Tova", "", "C:\\Tova\\"},
    };
    for (const Case &c : cases) {
        char out[PATH_SIZE];
        SCOPED_TRACE(std::string(c.dir ? c.dir : "(none)") + " + " + c.name);
        EXPECT_STREQ(JoinPath(c.dir, c.name, out), c.out);
    }
}

TEST(JoinPath, NeverWritesPastThePathCapacity) {
    std::string dir(250, 'd'), name(40, 'n');
    char out[PATH_SIZE + 8];
    memset(out, 'Z', sizeof(out));
    JoinPath(dir.c_str(), name.c_str(), out);
    EXPECT_EQ(strlen(out), (size_t)PATH_SIZE - 1);
    EXPECT_EQ(out[PATH_SIZE], 'Z');
    std::string longName(400, 'x');
    JoinPath(nullptr, ("C:" + longName).c_str(), out);
    EXPECT_EQ(strlen(out), (size_t)PATH_SIZE - 1);
}

class TextResources : public ::testing::Test {
protected:
    void SetUp() override { AppInstance = GetModuleHandleA(nullptr); }
};

TEST_F(TextResources, KoreanTextsComeOutInCodePage949) {
    ASSERT_EQ(GetACP(), 949u) << "the tests run with LANG=ko_KR.UTF-8";
    char text[TEXT_SIZE];
    // "스크립트"
    EXPECT_STREQ(LoadText(IDS_CAP_SCRIPT, text, sizeof(text)), "\xBD\xBA\xC5\xA9\xB8\xB3\xC6\xAE");
    // "설치 안내"
    EXPECT_STREQ(LoadText(IDS_CAP_SETUP, text, 0), "\xBC\xB3\xC4\xA1 \xBE\xC8\xB3\xBB");
    EXPECT_STREQ(LoadText(IDS_PRODUCT_NAME, text, sizeof(text)), "Palvex Tovanet");
    EXPECT_STREQ(LoadText(IDS_VERSION_TAG, text, sizeof(text)), "TVLK19991012A");
    EXPECT_STREQ(LoadText(IDS_VERSION_KEY, text, sizeof(text)), "Update\\1");
    // The completion message keeps its line breaks.
    LoadText(IDS_SETUP_DONE, text, sizeof(text));
    EXPECT_NE(strstr(text, "\r\n"), nullptr);
    EXPECT_STREQ(LoadText(9999, text, sizeof(text)), "");
}

TEST_F(TextResources, FormatTextFollowsWvsprintfAndItsBuffer) {
    char out[64];
    // 550: "전화걸기 실패 (%08lX)"
    int len = FormatText(out, sizeof(out), 550, 0x2A7ul);
    EXPECT_STREQ(out, "\xC0\xFC\xC8\xAD\xB0\xC9\xB1\xE2 \xBD\xC7\xC6\xD0 (000002A7)");
    EXPECT_EQ(len, (int)strlen(out));
    // A cut never splits a Hangul character: 5 bytes hold two of them.
    char tiny[6];
    EXPECT_EQ(FormatText(tiny, sizeof(tiny), 550, 1ul), 4);
    EXPECT_STREQ(tiny, "\xC0\xFC\xC8\xAD");
    EXPECT_EQ(FormatText(nullptr, 10, 550, 1ul), 0);
}

TEST(SetupResume, WritesAndRemovesTheRunOnceValue) {
    SetSettingsProduct("TVLKUNIT");
    ASSERT_TRUE(RegisterSetupResume("-final"));
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                            0, KEY_READ, &key), ERROR_SUCCESS);
    char data[PATH_SIZE + 32] = "";
    DWORD size = sizeof(data), type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "TVLKUNIT_Setup", nullptr, &type, (BYTE *)data, &size), ERROR_SUCCESS);
    char exe[PATH_SIZE];
    GetModuleFileNameA(nullptr, exe, sizeof(exe));
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(std::string(data), std::string(exe) + " -final");
    EXPECT_TRUE(UnregisterSetupResume());
    size = sizeof(data);
    EXPECT_EQ(RegQueryValueExA(key, "TVLKUNIT_Setup", nullptr, &type, (BYTE *)data, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST(MatchWindowTitle, FindsAWindowIgnoringCase) {
    HWND window = CreateWindowA("STATIC", "Modem Installer", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    int found = 0;
    lstrcpyA(TargetWindowTitle, "MODEM installer");
    EXPECT_FALSE(MatchWindowTitle(window, (LPARAM)&found));
    EXPECT_EQ(found, 1);
    found = 0;
    lstrcpyA(TargetWindowTitle, "Modem");
    EXPECT_TRUE(MatchWindowTitle(window, (LPARAM)&found));
    EXPECT_EQ(found, 0);
    DestroyWindow(window);
}

}  // namespace
