// Start-up load of the member's settings and import of the shipped phone
// book and advertisement list, in the test's private registry with INI
// files in a private data folder. Message boxes that the import shows are
// read and closed by a watcher thread.
#include <gtest/gtest.h>
#include <chrono>
#include <map>
#include <string>
#include <vector>
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/servicedata/servicedata.h"
#include "boxwatcher.h"
#include "sandbox.h"

namespace {

const char kRoot[] = "Software\\Brisole\\TVLKT4";
// "파일 %s 를 열 수 없거나 오류가 있습니다." in code page 949, around the path.
const char kMessageHead[] = "\xC6\xC4\xC0\xCF ";
const char kMessageTail[] = " \xB8\xA6 \xBF\xAD \xBC\xF6 \xBE\xF8\xB0\xC5\xB3\xAA \xBF\xC0\xB7\xF9\xB0\xA1 "
                            "\xC0\xD6\xBD\xC0\xB4\xCF\xB4\xD9.";
const char kSeoul[] = "\xBC\xAD\xBF\xEF\xC6\xAF\xBA\xB0\xBD\xC3";   // "서울특별시"

typedef std::map<std::string, std::string> Dump;

// Every value under a key and its sub-keys: "sub\name" -> "sz:text" or
// "dw:number"; a sub-key without values shows as "sub\" -> "key".
void DumpKey(HKEY parent, const std::string &path, const std::string &prefix, Dump *out)
{
    HKEY key;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    bool any = false;
    for (DWORD i = 0;; i++) {
        char name[256];
        BYTE data[1024];
        DWORD nameLen = sizeof(name), size = sizeof(data), type = 0;
        if (RegEnumValueA(key, i, name, &nameLen, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        any = true;
        if (type == REG_DWORD)
            (*out)[prefix + name] = "dw:" + std::to_string(*(DWORD *)data);
        else
            (*out)[prefix + name] = "sz:" + std::string((char *)data, size ? size - 1 : 0);
    }
    for (DWORD i = 0;; i++) {
        char name[256];
        DWORD nameLen = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &nameLen, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        any = true;
        DumpKey(key, name, prefix + name + "\\", out);
    }
    if (!any && !prefix.empty())
        (*out)[prefix] = "key";
    RegCloseKey(key);
}

Dump List(const char *name)
{
    Dump d;
    DumpKey(HKEY_LOCAL_MACHINE, std::string(kRoot) + "\\" + name, "", &d);
    return d;
}

std::string Sz(const std::string &text) { return "sz:" + text; }
std::string Dw(DWORD n) { return "dw:" + std::to_string(n); }

class Import : public ::testing::Test {
protected:
    sandbox::Registry registry;
    sandbox::Folder folder{"TVLKT4 import"};
    sandbox::BoxWatcher boxes;
    std::string data;

    void SetUp() override {
        ASSERT_TRUE(registry.ok());
        ASSERT_TRUE(CreateSettingsRoot(TRUE, "TVLKT4"));
        ASSERT_TRUE(CreateSettingsRoot(FALSE, "TVLKT4"));
        data = folder.MakeDirs("DATA");
        ASSERT_TRUE(WriteUserText(nullptr, "WorkDir", (folder.path() + "\\").c_str()));
        CopyText(WorkDirectory, "C:\\TVLKT4 program\\", sizeof(WorkDirectory));
        Write("PHONE.INI", "[PhoneBook]\r\nVersion=1.0\r\nDate=19991012\r\nPhone1=01433, 28800, S\r\n");
        Write("AD.INI", "[Advertisement]\r\nVersion=1.0\r\nDate=19991012\r\nDelay=5\r\nCount=0\r\n");
    }
    void TearDown() override {
        EXPECT_TRUE(boxes.Take().empty()) << "unexpected message box";
        SettingsRoot[0] = 0;
    }
    void Write(const char *name, const std::string &text) {
        ASSERT_TRUE(sandbox::WriteBytes(data + "\\" + name, text));
    }
    std::string UserText(const char *name) {
        char text[300];
        LONG rc = ReadUserText(nullptr, name, text, sizeof(text));
        return rc == 0 ? text : "<" + std::to_string(rc) + ">";
    }
    DWORD UserNumber(const char *name) {
        DWORD n = 0;
        return ReadUserNumber(nullptr, name, &n) == 0 ? n : 0xDEAD;
    }
};

// A small INI reader for the expected layout, independent of the one the
// dialer uses: sections of key=value lines.
std::map<std::string, std::map<std::string, std::string>> ParseIni(const std::string &text)
{
    std::map<std::string, std::map<std::string, std::string>> ini;
    std::string section;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        size_t eq = line.find('=');
        if (eq != std::string::npos)
            ini[section][line.substr(0, eq)] = line.substr(eq + 1);
    }
    return ini;
}

DWORD Packed(const std::string &version)
{
    size_t dot = version.find('.');
    int major = std::stoi(version.substr(0, dot));
    int minor = dot == std::string::npos ? 0 : std::stoi(version.substr(dot + 1));
    return (DWORD)((major & 0xFF) << 24 | (minor & 0xFF) << 16);
}

TEST_F(Import, ShippedDataFillsTheListsOnceAndStoresTheDefaults) {
    const std::string shipped = sandbox::ProgramFolder() + "DATA\\";
    std::string phoneText = sandbox::ReadBytes(shipped + "PHONE.INI");
    std::string adText = sandbox::ReadBytes(shipped + "AD.INI");
    ASSERT_NE(phoneText, "<missing>") << "build the dialer first: its DATA folder is the shipped data";
    Write("PHONE.INI", phoneText);
    Write("AD.INI", adText);
    // First start for this member: no work directory stored yet.
    DeleteUserSetting(nullptr, "WorkDir");
    CopyText(WorkDirectory, (folder.path() + "\\").c_str(), sizeof(WorkDirectory));
    // A default browser to find.
    std::string browser = folder.path() + "\\Web\\opera.exe";
    folder.MakeDirs("Web");
    ASSERT_TRUE(CopyFileA((sandbox::ProgramFolder() + "fixtures\\tvfixture4.exe").c_str(), browser.c_str(), FALSE));
    sandbox::SetText(HKEY_CLASSES_ROOT, ".html", nullptr, "Page");
    sandbox::SetText(HKEY_CLASSES_ROOT, "Page\\shell\\open\\command", nullptr, "\"" + browser + "\" \"%1\"");

    ImportServiceData();

    auto phone = ParseIni(phoneText);
    Dump expected;
    const auto &book = phone["PhoneBook"];
    ASSERT_GE(book.count("Phone3"), 1u);
    expected["Version"] = Dw(Packed(book.at("Version")));
    expected["Date"] = Sz(book.at("Date"));
    for (int n = 1; book.count("Phone" + std::to_string(n)); n++)
        expected["Phone" + std::to_string(n)] = Sz(book.at("Phone" + std::to_string(n)));
    int areas = std::stoi(book.at("SubCount"));
    ASSERT_GE(areas, 3);
    for (int s = 1; s <= areas; s++) {
        std::string area = book.at("Sub" + std::to_string(s));
        const auto &section = phone[area];
        expected[area + "\\Desc"] = Sz(section.at("Desc"));
        for (int n = 1; section.count("Phone" + std::to_string(n)); n++)
            expected[area + "\\Phone" + std::to_string(n)] = Sz(section.at("Phone" + std::to_string(n)));
    }
    EXPECT_EQ(List("PhoneBook"), expected);
    EXPECT_EQ(List("PhoneBook")["02\\Desc"], Sz(kSeoul));

    auto ads = ParseIni(adText);
    const auto &list = ads["Advertisement"];
    expected.clear();
    expected["Version"] = Dw(Packed(list.at("Version")));
    expected["Date"] = Sz(list.at("Date"));
    expected["Delay"] = Dw(std::stoul(list.at("Delay")));
    int count = std::stoi(list.at("Count"));
    ASSERT_EQ(count, 3);
    for (int n = 1; n <= count; n++) {
        std::string ad = "ad" + std::to_string(n);
        expected[ad + "\\Image"] = Sz(ads[ad].at("Image"));
        expected[ad + "\\URL"] = Sz(ads[ad].at("URL"));
    }
    EXPECT_EQ(List("Advertisement"), expected);

    // The member's defaults.
    EXPECT_EQ(UserText("WorkDir"), folder.path() + "\\");
    EXPECT_EQ(std::string(DataDirectory), folder.path() + "\\DATA");
    EXPECT_EQ(UserText("Area"), "02");
    EXPECT_STREQ(Current.Area, "02");
    EXPECT_EQ(UserText("StartUp URL"), "http://www.tovanet.co.kr/");
    EXPECT_STREQ(Current.StartUpUrl, "http://www.tovanet.co.kr/");
    EXPECT_EQ(UserText("BrowserPath"), browser);
    EXPECT_EQ(UserNumber("BrowserType"), 99u);
    EXPECT_EQ(Current.BrowserType, 99);
    EXPECT_EQ(Current.PlusUser, 1u);
    EXPECT_EQ(Current.SavePassword, 0u);

    // Second start with the same dates: nothing is imported, even though
    // the files' entries changed.
    Dump before = List("PhoneBook"), adsBefore = List("Advertisement");
    Write("PHONE.INI", "[PhoneBook]\r\nVersion=1.0\r\nDate=" + book.at("Date") + "\r\nPhone1=099, 28800, S\r\n");
    Write("AD.INI", "[Advertisement]\r\nVersion=1.0\r\nDate=" + list.at("Date") + "\r\nCount=1\r\n");
    ImportServiceData();
    EXPECT_EQ(List("PhoneBook"), before);
    EXPECT_EQ(List("Advertisement"), adsBefore);
}

TEST_F(Import, RefreshByStoredDateAndVersion) {
    const std::string key = std::string(kRoot) + "\\PhoneBook";
    struct Case {
        const char *what;
        const char *storedDate;     // null: none stored
        DWORD storedVersion;
        std::string fileDate;
        bool imported, deleted;
    };
    const Case cases[] = {
        {"same date", "19991012", 0x01000000, "19991012", false, false},
        {"older file", "19991012", 0x01000000, "19990101", false, false},
        {"newer file", "19991012", 0x01000000, "19991101", true, true},
        {"newer by a byte above 0x7F", "1999", 0x01000000, "1999\xB0\xA1", true, true},
        {"stored version 0", "19991012", 0, "19991012", true, false},
        {"no stored date", nullptr, 0x01000000, "19991012", true, false},
        {"stored date too long", "1999101212345678901234567890123456789", 0x01000000, "20000101", true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeleteListKey("PhoneBook");
        sandbox::SetText(HKEY_LOCAL_MACHINE, key, "Phone1", "OLD, 28800, S");
        sandbox::SetText(HKEY_LOCAL_MACHINE, key, "Phone9", "STALE, 28800, S");
        sandbox::SetText(HKEY_LOCAL_MACHINE, key + "\\099", "Desc", "stale");
        sandbox::SetNumber(HKEY_LOCAL_MACHINE, key, "Version", c.storedVersion);
        if (c.storedDate)
            sandbox::SetText(HKEY_LOCAL_MACHINE, key, "Date", c.storedDate);
        Write("PHONE.INI", "[PhoneBook]\r\nVersion=1.0\r\nDate=" + c.fileDate + "\r\nPhone1=NEW, 28800, S\r\n");
        ImportServiceData();
        Dump d = List("PhoneBook");
        EXPECT_EQ(d["Phone1"], Sz(c.imported ? "NEW, 28800, S" : "OLD, 28800, S"));
        EXPECT_EQ(d.count("Phone9"), c.deleted ? 0u : 1u);
        EXPECT_EQ(d.count("099\\Desc"), c.deleted ? 0u : 1u);
    }
}

TEST_F(Import, VersionZeroOrLongDateReimportsEveryStart) {
    const std::string key = std::string(kRoot) + "\\PhoneBook";
    struct Case { const char *version; std::string date; };
    const Case cases[] = {{"0.0", "19991012"}, {"1.0", std::string(40, '9')}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.date);
        DeleteListKey("PhoneBook");
        std::string head = std::string("[PhoneBook]\r\nVersion=") + c.version + "\r\nDate=" + c.date + "\r\n";
        Write("PHONE.INI", head + "Phone1=FIRST, 28800, S\r\n");
        ImportServiceData();
        EXPECT_EQ(List("PhoneBook")["Date"], Sz(c.date));
        sandbox::SetText(HKEY_LOCAL_MACHINE, key, "Phone9", "KEPT, 28800, S");
        Write("PHONE.INI", head + "Phone1=SECOND, 28800, S\r\n");
        ImportServiceData();
        Dump d = List("PhoneBook");
        EXPECT_EQ(d["Phone1"], Sz("SECOND, 28800, S"));
        EXPECT_EQ(d["Phone9"], Sz("KEPT, 28800, S"));
    }
}

TEST_F(Import, PhoneBookLayout) {
    std::string path = data + "\\PHONE.INI";
    Write("PHONE.INI",
          "[PhoneBook]\r\nVersion=2.3\r\nDate=19991012\r\n"
          "Phone1=A, 28800, S\r\nPhone2=B, 28800, S\r\nPhone3=\r\nPhone4=D, 28800, S\r\n"
          "SubCount=7\r\nSub1=02\r\nSub2=\r\nSub4=031\r\nSub5=123456789012\r\nSub6=05\\1\r\nSub7=02\r\n"
          "[02]\r\nDesc=" + std::string(kSeoul) + "\r\nPhone1=3140-1000, 28800, S\r\n"
          "[031]\r\nPhone1=210-1000, ISDN128, 0\r\nPhone2=\r\nPhone3=210-3000, 28800, H\r\n"
          "[123456789012]\r\nDesc=too long\r\n[05\\1]\r\nDesc=nested\r\n");
    ASSERT_EQ(ImportPhoneBook(path.c_str()), 1);
    Dump expected = {
        {"Version", Dw(0x02030000)}, {"Date", Sz("19991012")},
        {"Phone1", Sz("A, 28800, S")}, {"Phone2", Sz("B, 28800, S")},
        {"02\\Desc", Sz(kSeoul)}, {"02\\Phone1", Sz("3140-1000, 28800, S")},
        {"031\\Desc", Sz("")}, {"031\\Phone1", Sz("210-1000, ISDN128, 0")},
    };
    EXPECT_EQ(List("PhoneBook"), expected);

    // Counts that mean no areas: the nationwide numbers still come in.
    for (const char *count : {"", "0", "-3", "abc", "2147483648"}) {
        SCOPED_TRACE(count);
        DeleteListKey("PhoneBook");
        Write("PHONE.INI", std::string("[PhoneBook]\r\nVersion=1\r\nPhone1=A,,\r\nSubCount=") + count +
                               "\r\nSub1=02\r\n[02]\r\nDesc=x\r\n");
        ASSERT_EQ(ImportPhoneBook(path.c_str()), 1);
        Dump got = List("PhoneBook");
        EXPECT_EQ(got, (Dump{{"Version", Dw(0x01000000)}, {"Date", Sz("")}, {"Phone1", Sz("A,,")}}));
    }
}

TEST_F(Import, AdListLayout) {
    std::string path = data + "\\AD.INI";
    const std::string url(100, 'u');
    Write("AD.INI",
          "[Advertisement]\r\nVersion=1\r\nDate=19991012\r\nDelay=abc\r\nCount=3\r\n"
          "[ad1]\r\nImage=AD1.GIF\r\nURL=" + url + "\r\n"
          "[ad2]\r\nImage=\r\nURL=http://www.tovanet.co.kr/\r\n");
    ASSERT_EQ(ImportAdList(path.c_str()), 1);
    Dump expected = {
        {"Version", Dw(0x01000000)}, {"Date", Sz("19991012")}, {"Delay", Dw(0)},
        {"ad1\\Image", Sz("AD1.GIF")}, {"ad1\\URL", Sz(url.substr(0, 79))},
        {"ad2\\Image", Sz("")}, {"ad2\\URL", Sz("http://www.tovanet.co.kr/")},
        {"ad3\\Image", Sz("")}, {"ad3\\URL", Sz("")},
    };
    EXPECT_EQ(List("Advertisement"), expected);
}

TEST_F(Import, ValuesAreCutAtTheirLimits) {
    std::string path = data + "\\PHONE.INI";
    std::string hangul;
    for (int i = 0; i < 50; i++)
        hangul += "\xB0\xA1";   // "가"
    const std::string phone(100, '7'), date(90, '9');
    Write("PHONE.INI", "[PhoneBook]\r\nVersion=1.0\r\nDate=" + date + "\r\nPhone1=" + phone +
                           "\r\nSubCount=1\r\nSub1=02\r\n[02]\r\nDesc=" + hangul + "\r\n");
    ASSERT_EQ(ImportPhoneBook(path.c_str()), 1);
    Dump d = List("PhoneBook");
    EXPECT_EQ(d["Phone1"], Sz(phone.substr(0, 79)));
    EXPECT_EQ(d["Date"], Sz(date.substr(0, 79)));
    // 79 bytes would end in half a character: 39 whole ones remain.
    EXPECT_EQ(d["02\\Desc"], Sz(hangul.substr(0, 78)));
}

TEST_F(Import, LargeAndBrokenPhoneBooksFinish) {
    std::string path = data + "\\PHONE.INI";
    std::string text = "[PhoneBook]\r\nVersion=1.0\r\nDate=19991012\r\nSubCount=2147483647\r\n";
    for (int n = 1; n <= 3000; n++)
        text += "Phone" + std::to_string(n) + "=0" + std::to_string(1000000 + n) + ", 56000V90 28800, S\r\n";
    for (int s = 1; s <= 20; s++)
        text += "Sub" + std::to_string(s) + "=0" + std::to_string(40 + s) + "\r\n";
    for (int s = 1; s <= 20; s++) {
        text += "[0" + std::to_string(40 + s) + "]\r\nDesc=area\r\n";
        for (int n = 1; n <= 100; n++)
            text += "Phone" + std::to_string(n) + "=" + std::to_string(n) + ",,\r\n";
    }
    Write("PHONE.INI", text);
    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(ImportPhoneBook(path.c_str()), 1);
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start);
    EXPECT_LT(seconds.count(), 60);
    Dump d = List("PhoneBook");
    EXPECT_EQ(d["Phone3000"], Sz("01003000, 56000V90 28800, S"));
    EXPECT_EQ(d.count("Phone3001"), 0u);
    EXPECT_EQ(d["060\\Phone100"], Sz("100,,"));
    EXPECT_EQ(d.size(), 2u + 3000u + 20u * 101u);
}

TEST_F(Import, MissingOrBrokenFilesShowTheListsMessage) {
    DeleteFileA((data + "\\PHONE.INI").c_str());
    DeleteFileA((data + "\\AD.INI").c_str());
    ImportServiceData();
    std::vector<sandbox::BoxWatcher::Box> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "PHONEBOOK");
    EXPECT_EQ(shown[0].text, kMessageHead + data + "\\PHONE.INI" + kMessageTail);
    EXPECT_EQ(shown[1].caption, "ADVERTISEMENT");
    EXPECT_EQ(shown[1].text, kMessageHead + data + "\\AD.INI" + kMessageTail);
    // Nothing could be stored, so the next start tries again.
    ImportServiceData();
    EXPECT_EQ(boxes.Take().size(), 2u);

    // A newer file without a version: the old list is gone, the key stays
    // empty, and the message names the file.
    Write("PHONE.INI", "[PhoneBook]\r\nVersion=1.0\r\nDate=19991012\r\nPhone1=A,,\r\n");
    Write("AD.INI", "[Advertisement]\r\nVersion=1.0\r\nDate=19991012\r\n");
    ImportServiceData();
    ASSERT_TRUE(boxes.Take().empty());
    Write("PHONE.INI", "[PhoneBook]\r\nDate=19991101\r\nPhone1=B,,\r\n");
    ImportServiceData();
    shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "PHONEBOOK");
    EXPECT_EQ(List("PhoneBook"), Dump());
    HKEY key = OpenSettingsKey(TRUE, "PhoneBook", FALSE, nullptr);
    EXPECT_NE(key, nullptr);
    if (key)
        RegCloseKey(key);
}

TEST_F(Import, AreaFromTheDialingLocation) {
    struct Case {
        const char *what;
        const char *stored;     // null: none stored
        DWORD telephony, result, country;
        const char *areaCode;
        const char *area;       // null: nothing stored
    };
    const Case cases[] = {
        {"Seoul without its zero", nullptr, 1, 0, 82, "2", "02"},
        {"leading zero kept", nullptr, 1, 0, 82, "031", "031"},
        {"four characters", nullptr, 1, 0, 82, "0312", "0312"},
        {"empty area code", nullptr, 1, 0, 82, "", "0"},
        {"five characters", nullptr, 1, 0, 82, "12345", ""},
        {"another country", nullptr, 1, 0, 1, "02", ""},
        {"no location", nullptr, 1, 1, 82, "02", ""},
        {"no telephony", nullptr, 0, 0, 82, "02", nullptr},
        {"stored area stays", "051", 1, 0, 1, "02", "051"},
        {"stored area too long", "123456", 1, 0, 82, "42", "042"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        DeleteUserSetting(nullptr, "Area");
        if (c.stored)
            WriteUserText(nullptr, "Area", c.stored);
        sandbox::SimProfile("Telephony", c.telephony);
        sandbox::SimProfile("LocationResult", c.result);
        sandbox::SimProfile("CountryCode", c.country);
        sandbox::SimProfileText("AreaCode", c.areaCode);
        ImportServiceData();
        EXPECT_EQ(UserText("Area"), c.area ? c.area : "<2>");
        EXPECT_STREQ(Current.Area, c.area ? c.area : "");
    }
}

TEST_F(Import, MemberSettingsLoadWithTheirDefaults) {
    ImportServiceData();
    EXPECT_EQ(Current.PlusUser, 1u);
    EXPECT_EQ(Current.SavePassword, 0u);
    EXPECT_EQ(Current.ActEmail, 0u);
    EXPECT_EQ(Current.BrowserType, BROWSER_NONE);
    EXPECT_EQ(UserText("BrowserPath"), "<2>");
    EXPECT_EQ(UserNumber("BrowserType"), 0xDEADu);
    EXPECT_EQ(std::string(WorkDirectory), folder.path() + "\\");
    EXPECT_EQ(std::string(DataDirectory), folder.path() + "\\DATA");

    WriteUserNumber(nullptr, "SavePassword", 5);
    WriteUserNumber(nullptr, "Plus User", 0);
    WriteUserNumber(nullptr, "ActEmail", 7);
    WriteUserText(nullptr, "DialPrefix", "9,");
    WriteUserText(nullptr, "DialArea", "02");
    WriteUserText(nullptr, "DialNumber", "3140-1000");
    WriteUserNumber(nullptr, "DialFlag", 0x10002);
    WriteUserText(nullptr, "Modem", "Test Modem");
    WriteUserText(nullptr, "BrowserPath", "C:\\Web\\web.exe");
    WriteUserNumber(nullptr, "BrowserType", 0x10003);
    WriteUserText(nullptr, "StartUp URL", "http://www.tovanet.co.kr/member/");
    ImportServiceData();
    EXPECT_EQ(Current.SavePassword, 1u);
    EXPECT_EQ(Current.PlusUser, 0u);
    EXPECT_EQ(Current.ActEmail, 7u);
    EXPECT_STREQ(Current.DialPrefix, "9,");
    EXPECT_STREQ(Current.DialArea, "02");
    EXPECT_STREQ(Current.DialNumber, "3140-1000");
    EXPECT_EQ(Current.DialFlag, 0x10002u);
    EXPECT_STREQ(Current.Modem, "Test Modem");
    EXPECT_STREQ(Current.BrowserPath, "C:\\Web\\web.exe");
    EXPECT_EQ(Current.BrowserType, 3);
    EXPECT_STREQ(Current.StartUpUrl, "http://www.tovanet.co.kr/member/");

    // Values that do not fit or have the wrong type read as absent.
    WriteUserText(nullptr, "DialNumber", "0123456789012345");
    WriteUserText(nullptr, "BrowserType", "3");
    ImportServiceData();
    EXPECT_STREQ(Current.DialNumber, "");
    EXPECT_EQ(Current.BrowserType, BROWSER_NONE);
    EXPECT_STREQ(Current.BrowserPath, "");
    EXPECT_EQ(UserText("BrowserPath"), "C:\\Web\\web.exe");
}

}  // namespace
