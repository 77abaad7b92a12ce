// Access numbers: parsing one phone-book value, and the list built from a
// phone book in the registry with the member's saved choice.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/connect/connect.h"
#include "dialer/connect/numbers.h"
#include "dialer/login/login.h"

namespace {

TEST(ParseAccessNumber, Fields) {
    struct Case { const char *value; DWORD code; const char *number; DWORD flags; };
    const Case cases[] = {
        {" 01433 , 56000V90 28800 , PS ", 0, "01433", 0x40000 | 0x10000 | 4 | 8},
        {"01433,,", 0, "01433", 0},
        {"02-555-1234, isdn128, 0H", 0, "02-555-1234", 0x100000 | 1 | 2},
        {"01433, 33600 x56, ps", 0, "01433", 0},
        {"01433", 13, "", 0},
        {"01433, 56000V90", 13, "", 0},
        {"", 13, "", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        char number[ACCESS_NUMBER_SIZE] = "x";
        DWORD flags = 99;
        EXPECT_EQ(ParseAccessNumber(c.value, number, &flags), c.code);
        EXPECT_STREQ(number, c.number);
        EXPECT_EQ(flags, c.flags);
    }
}

TEST(ParseAccessNumber, OverlongNumbersAreSkippedNotCut) {
    std::string value(129, '1');
    char number[ACCESS_NUMBER_SIZE];
    DWORD flags;
    EXPECT_EQ(ParseAccessNumber((value + ",,P").c_str(), number, &flags), 0u);
    EXPECT_EQ(strlen(number), 129u);
    value += "2";
    EXPECT_EQ(ParseAccessNumber((value + ",,P").c_str(), number, &flags), 13u);
    EXPECT_STREQ(number, "");
}

class AccessList : public ::testing::Test {
protected:
    LoginWindowState state;
    RASENTRYA entry;
    void SetUp() override {
        CreateSettingsRoot(TRUE, "TVLKT5");
        DeleteSettingsRoot(TRUE);
        CreateSettingsRoot(FALSE, "TVLKT5");
        DeleteSettingsRoot(FALSE);
        CreateSettingsRoot(TRUE, "TVLKT5");
        ZeroMemory(&Current, sizeof(Current));
        Current.PlusUser = 1;
        ZeroMemory(&state, sizeof(state));
        ZeroMemory(&entry, sizeof(entry));
        entry.dwSize = sizeof(entry);
        state.EntryBuffer = (BYTE *)&entry;
    }
    void TearDown() override {
        ReleaseAccessNumbers(&state);
        CreateSettingsRoot(TRUE, "TVLKT5");
        DeleteSettingsRoot(TRUE);
        DeleteSettingsRoot(FALSE);
    }
    void Phone(const char *area, int n, const char *value) {
        std::string key = "PhoneBook";
        if (area)
            key += std::string("\\") + area;
        WriteSettingText(TRUE, key.c_str(), ("Phone" + std::to_string(n)).c_str(), value);
    }
    std::vector<std::string> Items() {
        std::vector<std::string> out;
        for (const AccessNumber *i = state.AccessNumbers; i; i = i->Next)
            out.push_back(std::string(i->Area) + "|" + i->Number + "|" + std::to_string(i->Type));
        return out;
    }
};

TEST_F(AccessList, PlusMembersDialTheMemberNumberFirstThenTheArea) {
    Phone(nullptr, 1, "01433, 56000V90, P");
    Phone(nullptr, 2, "bad value");
    Phone(nullptr, 3, "01455,,");
    Phone("031", 1, "031-123-4567, ISDN128,");
    Phone("031", 2, "031-765-4321, 56000V90,");
    lstrcpyA(Current.Area, "031");
    BuildAccessNumbers(nullptr, &state);
    EXPECT_EQ(Items(), (std::vector<std::string>{"|01433|2", "|01433|1", "|01455|1",
                                                 "031|031-123-4567|65535", "031|031-765-4321|0"}));
    // Nothing was saved: the first item becomes the entry's number.
    EXPECT_STREQ(entry.szAreaCode, "");
    EXPECT_STREQ(entry.szLocalPhoneNumber, "01433");
    EXPECT_TRUE(state.EntryChanged);
}

TEST_F(AccessList, WithoutNationwideNumbersTheAreaLeadsAndPlusOffDropsMemberItems) {
    Phone("02", 1, "02-111-2222,,");
    lstrcpyA(Current.Area, "02");
    lstrcpyA(Current.DialPrefix, "9,");
    BuildAccessNumbers(nullptr, &state);
    EXPECT_EQ(Items(), (std::vector<std::string>{"02|02-111-2222|0"}));
    EXPECT_STREQ(entry.szAreaCode, "02");
    EXPECT_STREQ(entry.szLocalPhoneNumber, "9,02-111-2222");
    char text[16];
    EXPECT_EQ(ReadUserText(nullptr, "DialArea", text, sizeof(text)), 0);
    EXPECT_STREQ(text, "02");

    Phone(nullptr, 1, "01433,,P");
    Current.PlusUser = 0;
    BuildAccessNumbers(nullptr, &state);
    EXPECT_EQ(Items(), (std::vector<std::string>{"|01433|1", "02|02-111-2222|0"}));
}

TEST_F(AccessList, AMatchingSavedChoiceAlreadyInTheEntryWritesNothing) {
    Phone(nullptr, 1, "01433,,P");
    Phone("051", 1, "051-222-3333,,");
    lstrcpyA(Current.Area, "051");
    lstrcpyA(Current.DialArea, "051");
    lstrcpyA(Current.DialNumber, "051-222-3333");
    Current.DialFlag = 0;
    lstrcpyA(entry.szAreaCode, "051");
    lstrcpyA(entry.szLocalPhoneNumber, "051-222-3333");
    BuildAccessNumbers(nullptr, &state);
    EXPECT_FALSE(state.EntryChanged);
    char text[16];
    EXPECT_EQ(ReadUserText(nullptr, "DialArea", text, sizeof(text)), 2);

    // The same number saved with another type is not the member's choice.
    Current.DialFlag = 0xFFFF;
    BuildAccessNumbers(nullptr, &state);
    EXPECT_TRUE(state.EntryChanged);
    EXPECT_STREQ(entry.szLocalPhoneNumber, "01433");
}

}  // namespace
