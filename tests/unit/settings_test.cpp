// Settings store: result codes, bounds and the access-area enumeration,
// against the real registry of the test prefix under a product key of the
// test's own.
#include <gtest/gtest.h>
#include <string>
#include "shared/settings.h"

namespace {

const char kKey[] = "TVLKUNIT";

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateSettingsRoot(TRUE, kKey));
        DeleteSettingsRoot(TRUE);
        ASSERT_TRUE(CreateSettingsRoot(FALSE, kKey));
        DeleteSettingsRoot(FALSE);
        ASSERT_TRUE(CreateSettingsRoot(TRUE, kKey));
        ASSERT_TRUE(CreateSettingsRoot(FALSE, kKey));
    }
    void TearDown() override {
        CreateSettingsRoot(TRUE, kKey);
        DeleteSettingsRoot(TRUE);
        DeleteSettingsRoot(FALSE);
    }
    void RawSet(BOOL machine, const char *sub, const char *name, DWORD type,
                const void *data, DWORD size) {
        HKEY key = OpenSettingsKey(machine, sub, TRUE, nullptr);
        ASSERT_NE(key, nullptr);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, (const BYTE *)data, size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
};

TEST_F(SettingsTest, WithoutRootReadsAreMissingAndWritesFail) {
    SettingsRoot[0] = 0;
    DWORD n = 7;
    char text[16] = "x";
    EXPECT_EQ(ReadSettingNumber(TRUE, nullptr, "Version", &n), 2);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(ReadSettingText(FALSE, nullptr, "WorkDir", text, sizeof(text)), 2);
    EXPECT_STREQ(text, "");
    EXPECT_FALSE(WriteSettingNumber(TRUE, nullptr, "Version", 1));
    EXPECT_FALSE(WriteSettingText(FALSE, nullptr, "WorkDir", "C:\\"));
    LONG rc = 0;
    EXPECT_EQ(OpenSettingsKey(TRUE, nullptr, TRUE, &rc), nullptr);
    EXPECT_EQ(rc, 2);
}

TEST_F(SettingsTest, ValuesRoundTripPerSelectorAndSubKey) {
    ASSERT_TRUE(WriteSettingText(TRUE, "Update\\0", "Name", "Tovalink"));
    ASSERT_TRUE(WriteUserNumber(nullptr, "DialFlag", 0x80000001));
    char text[32];
    DWORD n = 0;
    EXPECT_EQ(ReadSettingText(TRUE, "Update\\0", "Name", text, sizeof(text)), 0);
    EXPECT_STREQ(text, "Tovalink");
    EXPECT_EQ(ReadUserNumber(nullptr, "DialFlag", &n), 0);
    EXPECT_EQ(n, 0x80000001u);
    // The same name on the other side is a different value.
    EXPECT_EQ(ReadSettingText(FALSE, "Update\\0", "Name", text, sizeof(text)), 2);
    EXPECT_EQ(ReadSettingNumber(TRUE, nullptr, "DialFlag", &n), 2);
    // Text values are stored with their terminator.
    HKEY key = OpenSettingsKey(TRUE, "Update\\0", FALSE, nullptr);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "Name", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(size, 9u);
}

TEST_F(SettingsTest, WrongTypesAndOverlongValuesReadAsTheirCodes) {
    RawSet(FALSE, nullptr, "Short", REG_SZ, "1", 2);
    RawSet(FALSE, nullptr, "Long", REG_SZ, "123456789", 10);
    DWORD seven = 7;
    RawSet(FALSE, nullptr, "Number", REG_DWORD, &seven, 4);
    RawSet(FALSE, nullptr, "Expand", REG_EXPAND_SZ, "%WINDIR%", 9);
    // Stored without a terminator, exactly filling the reader's buffer.
    RawSet(FALSE, nullptr, "Bare", REG_SZ, "abcd", 4);

    struct Case { const char *name; bool asNumber; DWORD size; LONG code; };
    const Case cases[] = {
        {"Short", true, 0, 1349},
        {"Long", true, 0, 234},
        {"Number", false, 16, 1349},
        {"Expand", false, 16, 1349},
        {"Long", false, 5, 234},
        {"Long", false, 10, 0},
        {"Bare", false, 4, 234},
        {"Bare", false, 5, 0},
        {"Missing", false, 16, 2},
        {"Missing", true, 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.asNumber ? " as number" : " as text") +
                     " size " + std::to_string(c.size));
        if (c.asNumber) {
            DWORD n = 99;
            EXPECT_EQ(ReadUserNumber(nullptr, c.name, &n), c.code);
            if (c.code)
                EXPECT_EQ(n, 0u);
        } else {
            char buf[32];
            memset(buf, 'z', sizeof(buf));
            EXPECT_EQ(ReadUserText(nullptr, c.name, buf, c.size), c.code);
            if (c.code)
                EXPECT_STREQ(buf, "");
            else
                EXPECT_LT(strlen(buf), (size_t)c.size);
        }
    }
}

TEST_F(SettingsTest, DeleteSettingCreatesAMissingSubKeyAndReportsTheAbsentValue) {
    EXPECT_FALSE(DeleteSetting(FALSE, "Fresh", "Password"));
    HKEY key = OpenSettingsKey(FALSE, "Fresh", FALSE, nullptr);
    EXPECT_NE(key, nullptr);
    if (key)
        RegCloseKey(key);
    ASSERT_TRUE(WriteUserText(nullptr, "Password", "secret"));
    EXPECT_TRUE(DeleteUserSetting(nullptr, "Password"));
    char text[8];
    EXPECT_EQ(ReadUserText(nullptr, "Password", text, sizeof(text)), 2);
}

TEST_F(SettingsTest, DeleteSettingsRootRemovesTheWholeTree) {
    ASSERT_TRUE(WriteSettingText(TRUE, "PhoneBook\\02", "Desc", "Seoul"));
    ASSERT_TRUE(DeleteSettingsRoot(TRUE));
    EXPECT_FALSE(SettingsRootExists(TRUE, kKey));
    EXPECT_TRUE(SettingsRootExists(FALSE, kKey));
}

TEST_F(SettingsTest, AccessAreasCountDigitNamedKeysWithTextDesc) {
    char desc[AREA_DESC_SIZE], name[AREA_NAME_SIZE];
    EXPECT_EQ(GetAccessArea(0, desc, name), -1);

    ASSERT_TRUE(WriteSettingText(TRUE, "PhoneBook\\01", "Desc", "Area one"));
    ASSERT_TRUE(WriteSettingText(TRUE, "PhoneBook\\ABC", "Desc", "Not an area"));
    ASSERT_TRUE(WriteSettingText(TRUE, "PhoneBook\\02", "Desc", "Area two"));
    ASSERT_TRUE(WriteSettingNumber(TRUE, "PhoneBook\\03", "Desc", 3));
    ASSERT_TRUE(WriteSettingText(TRUE, "PhoneBook\\04", "Phone", "no desc"));

    EXPECT_EQ(GetAccessArea(0, desc, name), 0);
    EXPECT_STREQ(name, "01");
    EXPECT_STREQ(desc, "Area one");
    EXPECT_EQ(GetAccessArea(1, desc, name), 0);
    EXPECT_STREQ(name, "02");
    EXPECT_STREQ(desc, "Area two");
    EXPECT_EQ(GetAccessArea(2, desc, name), -2);
    EXPECT_STREQ(name, "");
    EXPECT_STREQ(desc, "");
    EXPECT_EQ(GetAccessArea(1, nullptr, nullptr), 0);
}

TEST(SettingNames, TableTextsAndOutOfRange) {
    EXPECT_STREQ(SettingName(SET_PROGDIR), "ProgDir");
    EXPECT_STREQ(SettingName(SET_STARTUPURL), "StartUp URL");
    EXPECT_STREQ(SettingName(SET_USERID), "User ID");
    EXPECT_STREQ(SettingName(SET_PLUSUSER), "Plus User");
    EXPECT_STREQ(SettingName(SET_DIALFLAG), "DialFlag");
    EXPECT_STREQ(SettingName(SET_FIRSTTIME), "FirstTime");
    EXPECT_STREQ(SettingName(0), "");
    EXPECT_STREQ(SettingName(37), "");
    EXPECT_STREQ(SettingName(-1), "");
}

TEST(SettingsRootName, OverlongProductKeysAreCut) {
    std::string longKey(200, 'K');
    SettingsRootExists(TRUE, longKey.c_str());
    EXPECT_EQ(strlen(ProductKey), 63u);
    EXPECT_EQ(strlen(SettingsRoot), 17u + 63u);
    EXPECT_EQ(std::string(SettingsRoot).rfind("Software\\Brisole\\K", 0), 0u);
}

}  // namespace
