// Dial-up script files: the version line of a numbered script, the start-up
// check that keeps, raises or rewrites each numbered script against the
// "Script" key, the entry's own script file, and the token routines the
// version line is read with.
#include <gtest/gtest.h>
#include <string>
#include "dialer/core/app.h"
#include "dialer/connect/script.h"
#include "dialer/connect/tokens.h"
#include "tovakit.h"
#include "sandbox.h"

namespace {

TEST(Tokens, QuotedAndPlainTokens) {
    struct Case { const char *text; const char *quoted; const char *plain; int length; };
    const Case cases[] = {
        {"\"C:\\Program Files\\Web\\web.exe\" -url \"%1\"", "C:\\Program Files\\Web\\web.exe", "\"C:\\Program", 11},
        {"   C:\\WEB\\WEB.EXE %1", "C:\\WEB\\WEB.EXE", "C:\\WEB\\WEB.EXE", 14},
        {"\"C:\\no end quote", "C:\\no end quote", "\"C:\\no", 6},
        {"    ", "", "", 0},
        {"", "", "", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        char out[64] = "junk";
        CopyQuotedToken(c.text, out, sizeof(out));
        EXPECT_STREQ(out, c.quoted);
        const char *end = CopyToken(c.text, out, sizeof(out));
        EXPECT_STREQ(out, c.plain);
        EXPECT_TRUE(*end == 0 || *end == ' ');
        EXPECT_EQ(TokenLength(c.text), c.length);
    }
    // A null output fills the shared buffer.
    CopyToken("  shared rest", nullptr, 0);
    EXPECT_STREQ(SharedToken(), "shared");
    // Cut at the capacity, never inside a Hangul character ("가나").
    char small[4];
    CopyToken("\xB0\xA1\xB3\xAA", small, sizeof(small));
    EXPECT_STREQ(small, "\xB0\xA1");
    char trailing[] = "ABC  ";
    EXPECT_EQ(CutTrailingSpaces(trailing), 3);
    EXPECT_STREQ(trailing, "ABC");
}

TEST(ScriptVersion, VersionLines) {
    const std::string zeros29(29, '0'), zeros28(28, '0'), zeros30(30, '0');
    struct Case { std::string head; BOOL found; DWORD version; };
    const Case cases[] = {
        {"VERSION 1.2", TRUE, 0x01020000},
        {"VERSION 3", TRUE, 0x03000000},
        {"VERSION 1.2.7", TRUE, 0x01020000},
        {"; Tovanet\r\n; VERSION    2.5\r\nproc main", TRUE, 0x02050000},
        {"VERSION 1.9 beta", TRUE, 0x01090000},
        {"VERSION 300.257", TRUE, 0x2C010000},
        {"VERSION x", TRUE, 0},
        {"VERSION\r\n4.1", TRUE, 0},
        // Tokens of 32 characters or more are cut to 31 before the split.
        {"VERSION " + zeros28 + "1.5", TRUE, 0x01050000},
        {"VERSION " + zeros29 + "1.5", TRUE, 0x01000000},
        {"VERSION " + zeros30 + "1.5" + std::string(7, '0'), TRUE, 0x01000000},
        {"version 1.2", FALSE, 0},
        {"", FALSE, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.head);
        DWORD version = 77;
        EXPECT_EQ(ScriptVersionOf(c.head.c_str(), &version), c.found);
        EXPECT_EQ(version, c.version);
    }
}

class NumberedScripts : public ::testing::Test {
protected:
    sandbox::Registry registry;
    sandbox::Folder folder{"TVLKT4 scripts"};

    void SetUp() override {
        ASSERT_TRUE(registry.ok());
        ASSERT_TRUE(CreateSettingsRoot(TRUE, "TVLKT4"));
        CopyText(ProgramDirectory, (folder.path() + "\\").c_str(), sizeof(ProgramDirectory));
    }
    void TearDown() override { ProgramDirectory[0] = 0; }

    static std::string ScriptText(DWORD index) {
        DWORD version = 0, size = TkGetScript(index, nullptr, 0, &version);
        std::string text(size, '\0');
        TkGetScript(index, &text[0], size, &version);
        return text;
    }
    static std::string ScriptName(DWORD index) {
        char name[260] = "";
        TkGetScriptFileName(index, name);
        return name;
    }
    static std::string StoredFile(int i) {
        char path[260];
        std::string name = "File" + std::to_string(i);
        LONG rc = ReadSettingText(TRUE, "Script", name.c_str(), path, sizeof(path));
        return rc == 0 ? path : "<" + std::to_string(rc) + ">";
    }
    static DWORD StoredVersion(int i) {
        DWORD v = 0;
        std::string name = "Version" + std::to_string(i);
        return ReadSettingNumber(TRUE, "Script", name.c_str(), &v) == 0 ? v : 0xDEAD;
    }
};

TEST_F(NumberedScripts, FirstRunWritesEveryScriptAndRecordsIt) {
    DWORD count = TkGetScriptCount() & 0xFFFF;
    ASSERT_GE(count, 2u);
    UpdateNumberedScripts();
    for (DWORD i = 0; i < count; i++) {
        SCOPED_TRACE(i);
        std::string path = folder.path() + "\\" + ScriptName(i);
        DWORD version = 0;
        TkGetScript(i, nullptr, 0, &version);
        EXPECT_EQ(StoredFile(i), path);
        EXPECT_EQ(StoredVersion(i), version);
        EXPECT_EQ(sandbox::ReadBytes(path), ScriptText(i));
    }
}

// Script 0 of the helper library is at version 1.2 (0x01020000).
TEST_F(NumberedScripts, KeepRaiseOrRewriteAgainstTheStoredVersion) {
    DWORD libraryVersion = 0;
    TkGetScript(0, nullptr, 0, &libraryVersion);
    ASSERT_EQ(libraryVersion, 0x01020000u);
    const std::string padding(250, ';');
    struct Case { const char *what; std::string content; bool keep; DWORD stored; };
    const Case cases[] = {
        {"newer file raises the registry", "; VERSION 1.3\r\nproc main\r\n", true, 0x01030000},
        {"same version stays", "; VERSION 1.2 (hand-edited)\r\n", true, 0x01020000},
        {"older file is rewritten", "; VERSION 1.1\r\n", false, 0x01020000},
        {"no version line", "proc main\r\nendproc\r\n", false, 0x01020000},
        {"version line beyond byte 255", padding + "\r\nVERSION 9.9\r\n", false, 0x01020000},
        {"lower-case mark", "; version 9.9\r\n", false, 0x01020000},
    };
    // The file sits under another name than the library's, so a rewrite is
    // seen as a new file next to the program.
    const std::string own = folder.path() + "\\MINE.SCP";
    const std::string fresh = folder.path() + "\\" + ScriptName(0);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeleteFileA(fresh.c_str());
        ASSERT_TRUE(sandbox::WriteBytes(own, c.content));
        ASSERT_TRUE(WriteSettingText(TRUE, "Script", "File0", own.c_str()));
        ASSERT_TRUE(WriteSettingNumber(TRUE, "Script", "Version0", 0x01020000));
        UpdateNumberedScripts();
        EXPECT_EQ(sandbox::ReadBytes(own), c.content);
        EXPECT_EQ(StoredVersion(0), c.stored);
        if (c.keep) {
            EXPECT_EQ(StoredFile(0), own);
            EXPECT_EQ(sandbox::ReadBytes(fresh), "<missing>");
        } else {
            EXPECT_EQ(StoredFile(0), fresh);
            EXPECT_EQ(sandbox::ReadBytes(fresh), ScriptText(0));
        }
    }
}

TEST_F(NumberedScripts, MissingValuesOrFileRegenerate) {
    const std::string fresh = folder.path() + "\\" + ScriptName(0);
    // A stored file that is gone.
    ASSERT_TRUE(WriteSettingText(TRUE, "Script", "File0", (folder.path() + "\\GONE.SCP").c_str()));
    ASSERT_TRUE(WriteSettingNumber(TRUE, "Script", "Version0", 0x01020000));
    UpdateNumberedScripts();
    EXPECT_EQ(StoredFile(0), fresh);
    // A version of the wrong type counts as missing.
    ASSERT_TRUE(sandbox::WriteBytes(fresh, "; VERSION 5.0\r\n"));
    ASSERT_TRUE(WriteSettingText(TRUE, "Script", "Version0", "5.0"));
    UpdateNumberedScripts();
    EXPECT_EQ(StoredVersion(0), 0x01020000u);
    EXPECT_EQ(sandbox::ReadBytes(fresh), ScriptText(0));
}

TEST_F(NumberedScripts, UnwritableScriptLosesItsValues) {
    ASSERT_TRUE(WriteSettingText(TRUE, "Script", "File0", "C:\\TVLKT4 nowhere\\GONE.SCP"));
    ASSERT_TRUE(WriteSettingNumber(TRUE, "Script", "Version0", 0x01020000));
    CopyText(ProgramDirectory, "C:\\TVLKT4 nowhere\\", sizeof(ProgramDirectory));
    UpdateNumberedScripts();
    EXPECT_EQ(StoredFile(0), "<2>");
    EXPECT_EQ(StoredVersion(0), 0xDEADu);
}

TEST_F(NumberedScripts, NoScriptsLeaveTheRegistryAlone) {
    sandbox::SimProfile("ScriptCount", 0);
    UpdateNumberedScripts();
    EXPECT_EQ(OpenSettingsKey(TRUE, "Script", FALSE, nullptr), nullptr);
    ASSERT_TRUE(WriteSettingText(TRUE, "Script", "File0", "C:\\TVLKT4 nowhere\\GONE.SCP"));
    UpdateNumberedScripts();
    EXPECT_EQ(StoredFile(0), "C:\\TVLKT4 nowhere\\GONE.SCP");
    EXPECT_EQ(sandbox::ReadBytes(folder.path() + "\\" + ScriptName(0)), "<missing>");
}

class EntryScript : public ::testing::Test {
protected:
    const std::string expected = sandbox::ProgramFolder() + "TVLKT4 Entry.SCP";
    void TearDown() override { DeleteFileA(expected.c_str()); }
    static std::string EntryText() {
        DWORD size = TkGetEntryScript(nullptr, 0);
        std::string text(size, '\0');
        TkGetEntryScript(&text[0], size);
        return text;
    }
};

TEST_F(EntryScript, WrittenNextToTheProgram) {
    char path[PATH_SIZE] = "";
    ASSERT_TRUE(sandbox::WriteBytes(expected, std::string(5000, 'x')));
    ASSERT_TRUE(WriteEntryScript("TVLKT4 Entry", path));
    EXPECT_EQ(std::string(path), expected);
    EXPECT_EQ(sandbox::ReadBytes(expected), EntryText());
}

TEST_F(EntryScript, CheckRecreatesOnlyAMissingFile) {
    RASENTRYA entry;
    LoginWindowState state;
    ZeroMemory(&entry, sizeof(entry));
    ZeroMemory(&state, sizeof(state));
    entry.dwSize = sizeof(entry);
    state.EntryBuffer = (BYTE *)&entry;
    CopyText(state.EntryName, "TVLKT4 Entry", sizeof(state.EntryName));

    // No script named: nothing to do.
    EXPECT_TRUE(CheckEntryScript(nullptr, &state));
    EXPECT_FALSE(state.EntryChanged);
    EXPECT_EQ(sandbox::ReadBytes(expected), "<missing>");

    // A file that opens stays as it is.
    sandbox::Folder folder("TVLKT4 entry");
    std::string own = folder.path() + "\\OWN.SCP";
    ASSERT_TRUE(sandbox::WriteBytes(own, "mine"));
    CopyText(entry.szScript, own.c_str(), sizeof(entry.szScript));
    EXPECT_TRUE(CheckEntryScript(nullptr, &state));
    EXPECT_FALSE(state.EntryChanged);
    EXPECT_STREQ(entry.szScript, own.c_str());
    EXPECT_EQ(sandbox::ReadBytes(own), "mine");

    // A missing one is written next to the program and the entry changes.
    CopyText(entry.szScript, (folder.path() + "\\GONE.SCP").c_str(), sizeof(entry.szScript));
    EXPECT_TRUE(CheckEntryScript(nullptr, &state));
    EXPECT_TRUE(state.EntryChanged);
    EXPECT_STREQ(entry.szScript, expected.c_str());
    EXPECT_EQ(sandbox::ReadBytes(expected), EntryText());
}

}  // namespace
