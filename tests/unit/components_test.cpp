// Component installation: the setup source path kept in the test's private
// registry, the package and catalog copies, and the cabinet unpacking, with
// files under a private temporary folder. Debug boxes are read by a watcher.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "dialer/core/app.h"
#include "dialer/setup/components.h"
#include "dialer/setup/setup.h"
#include "boxwatcher.h"
#include "sandbox.h"

namespace {

const char kSetupKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
const char kSavedKey[] = "SOFTWARE\\Brisole\\Windows";
const char kRunOnceKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string ReadText(HKEY root, const char *path, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[1024];
    DWORD size = sizeof(data), type = 0;
    LONG rc = RegQueryValueExA(key, name, nullptr, &type, (BYTE *)data, &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return "<none>";
    return type == REG_SZ ? std::string(data) : "<type>";
}

bool KeyExists(HKEY root, const char *path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::string WindowsDirectory()
{
    char dir[MAX_PATH] = "";
    GetWindowsDirectoryA(dir, sizeof(dir));
    return dir;
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Names found in a folder, sorted.
std::vector<std::string> Listing(const std::string &dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

// Keeps the process-wide values these operations read.
class Components : public ::testing::Test {
protected:
    sandbox::Registry registry;
    sandbox::Folder folder{"TVLKT4 components"};
    char savedProgramDirectory[PATH_SIZE];
    DWORD savedDebugMode;

    void SetUp() override
    {
        ASSERT_TRUE(registry.ok());
        CopyMemory(savedProgramDirectory, ProgramDirectory, sizeof(ProgramDirectory));
        savedDebugMode = DebugMode;
        DebugMode = 0;
    }
    void TearDown() override
    {
        CopyMemory(ProgramDirectory, savedProgramDirectory, sizeof(ProgramDirectory));
        DebugMode = savedDebugMode;
    }
    // A program folder with a long name and its SYS folder; gives SYS.
    std::string MakeProgramFolder()
    {
        std::string program = folder.MakeDirs("Program Folder Long");
        CopyText(ProgramDirectory, (program + "\\").c_str(), sizeof(ProgramDirectory));
        return folder.MakeDirs("Program Folder Long\\SYS");
    }
};

TEST_F(Components, SourcePathIsSavedOnceAndPutBackAtLaterStarts)
{
    const std::string original = "C:\\WINDOWS\\OPTIONS\\CABS";
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath", original));

    KeepSourcePath();   // first start: the system value is saved
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSavedKey, "SourcePath"), original);

    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath", "D:\\WIN95"));
    KeepSourcePath();   // a later change is undone, the saved copy stays
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath"), original);
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSavedKey, "SourcePath"), original);

    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath", "c:\\windows\\options\\cabs"));
    KeepSourcePath();   // a change of letter case alone is kept
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath"), "c:\\windows\\options\\cabs");

    HKEY key = sandbox::MakeKey(HKEY_LOCAL_MACHINE, kSetupKey);
    ASSERT_TRUE(key);
    RegDeleteValueA(key, "SourcePath");
    RegCloseKey(key);
    KeepSourcePath();   // a system value gone is written again
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath"), original);
}

TEST_F(Components, SourcePathOf128CharactersCountsAsAbsent)
{
    // Neither key there: nothing is saved, and the system's key is never made.
    KeepSourcePath();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSavedKey));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSetupKey));
    EXPECT_FALSE(WriteSetupSourcePath("C:\\X"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSetupKey));

    const std::string longest = "C:\\" + std::string(124, 'A');   // 127 characters
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath", longest + "B"));
    KeepSourcePath();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kSavedKey));

    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath", longest));
    KeepSourcePath();
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSavedKey, "SourcePath"), longest);
}

TEST_F(Components, OwnSysFolderIsUsedOnlyWithItsMarker)
{
    std::string sys = MakeProgramFolder();
    ASSERT_TRUE(sandbox::SetText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath", "C:\\CABS"));

    UseOwnSourcePath();   // no marker: nothing changes
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath"), "C:\\CABS");
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kRunOnceKey, "restoreSP"), "<no key>");

    ASSERT_TRUE(sandbox::WriteBytes(sys + "\\RPCLTC6.DLL", "marker"));
    UseOwnSourcePath();
    std::string written = ReadText(HKEY_LOCAL_MACHINE, kSetupKey, "SourcePath");
    EXPECT_EQ(written, sandbox::ShortPath(sys));
    EXPECT_NE(written.find('~'), std::string::npos) << written;
    EXPECT_EQ(ReadText(HKEY_CURRENT_USER, kRunOnceKey, "restoreSP"),
              WindowsDirectory() + "\\Restamo.EXE -restoreSP");
    EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "restoreSP"), "<no key>");
}

TEST_F(Components, PackageCopyStopsAtTheFirstMissingFile)
{
    std::string source = folder.MakeDirs("source");
    std::string target = folder.MakeDirs("target");
    for (int i = 0; i < DUN_PACKAGE_COUNT; i++) {
        if (i != 4)
            ASSERT_TRUE(sandbox::WriteBytes(source + "\\" + DunPackageFiles[i], DunPackageFiles[i]));
    }
    ASSERT_TRUE(sandbox::WriteBytes(target + "\\DUN95.CAB", "an older copy"));

    DebugMode = 1;
    sandbox::BoxWatcher boxes;
    EXPECT_FALSE(CopyDunPackage(target.c_str(), source.c_str()));
    std::vector<sandbox::BoxWatcher::Box> shown = boxes.Take();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, "ERROR");
    EXPECT_EQ(shown[0].text, target + "\\DUNOSR2.CAB");
    std::vector<std::string> first4 = {"ABOUT13.DOC", "DNLAYOUT.INF", "DUN13.DOC", "DUN95.CAB"};
    EXPECT_EQ(Listing(target), first4);
    EXPECT_EQ(sandbox::ReadBytes(target + "\\DUN95.CAB"), "DUN95.CAB");   // replaced

    DebugMode = 0;
    ASSERT_TRUE(sandbox::WriteBytes(source + "\\DUNOSR2.CAB", "DUNOSR2.CAB"));
    EXPECT_TRUE(CopyDunPackage(target.c_str(), source.c_str()));
    EXPECT_EQ(Listing(target).size(), (size_t)DUN_PACKAGE_COUNT);
    EXPECT_EQ(sandbox::ReadBytes(target + "\\SETUPX.DLL"), "SETUPX.DLL");
}

TEST_F(Components, CatalogsAlreadyInPlaceAreKept)
{
    std::string catroot = WindowsDirectory() + "\\CATROOT";
    bool madeCatroot = !Exists(catroot) && CreateDirectoryA(catroot.c_str(), nullptr);
    for (int i = 0; i < CATALOG_COUNT; i++)
        ASSERT_FALSE(Exists(catroot + "\\" + CatalogFiles[i])) << "the prefix has catalogs of its own";
    // A setup run copies the catalogs before the program folder is fixed:
    // they come from the running program's folder, not the current one.
    std::string ownSys = sandbox::ProgramFolder() + "SYS";
    ASSERT_FALSE(Exists(ownSys));
    ASSERT_TRUE(CreateDirectoryA(ownSys.c_str(), nullptr));
    std::string sys = MakeProgramFolder();
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(current), current);
    SetCurrentDirectoryA(folder.path().c_str());
    struct Case { const char *name; std::string programDirectory, sys; } cases[] = {
        {"program folder", ProgramDirectory, sys},
        {"not fixed yet", "", ownSys},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < CATALOG_COUNT; i++)
            ASSERT_TRUE(sandbox::WriteBytes(c.sys + "\\" + CatalogFiles[i], std::string("new ") + CatalogFiles[i]));
        ASSERT_TRUE(sandbox::WriteBytes(catroot + "\\net.cat", "present"));
        CopyText(ProgramDirectory, c.programDirectory.c_str(), sizeof(ProgramDirectory));

        EXPECT_TRUE(CopyCatalogFiles());
        EXPECT_EQ(sandbox::ReadBytes(catroot + "\\net.cat"), "present");
        EXPECT_EQ(sandbox::ReadBytes(catroot + "\\netppp.cat"), "new netppp.cat");
        EXPECT_EQ(sandbox::ReadBytes(catroot + "\\nettrans.cat"), "new nettrans.cat");
        for (int i = 0; i < CATALOG_COUNT; i++)
            DeleteFileA((catroot + "\\" + CatalogFiles[i]).c_str());
    }
    SetCurrentDirectoryA(current);
    sandbox::DeleteTree(ownSys);
    if (madeCatroot)
        RemoveDirectoryA(catroot.c_str());
}

TEST_F(Components, NoCabinetBesideDunSetupUnpacksNothing)
{
    std::string sys = MakeProgramFolder();
    ASSERT_TRUE(sandbox::WriteBytes(sys + "\\DUNSETUP.EXE", "setup"));
    DebugMode = 1;
    sandbox::BoxWatcher boxes;
    EXPECT_FALSE(PrepareDunCabinet((sys + "\\DUNSETUP.EXE").c_str()));
    EXPECT_FALSE(PrepareDunCabinet("DUNSETUP.EXE"));
    EXPECT_TRUE(boxes.Take().empty());
    EXPECT_EQ(Listing(sys), std::vector<std::string>{"DUNSETUP.EXE"});
}

// Cabinets made by gcab at build time (tests/fixtures/make-cabinets.sh).
class Cabinet : public Components {
protected:
    void SetUp() override
    {
        Components::SetUp();
#ifndef TOVA_HAVE_MSPACK
        GTEST_SKIP() << "built without libmspack's source (.cache/mspack, fetched by scripts/setup.sh): "
                        "cabinets are not unpacked";
#endif
        if (!Exists(Fixture("three.cab")))
            GTEST_SKIP() << "no cabinet fixtures in " << sandbox::ProgramFolder()
                         << "fixtures (gcab was missing at build time)";
    }
    static std::string Fixture(const char *name) { return sandbox::ProgramFolder() + "fixtures\\" + name; }

    static std::string Beta()
    {
        std::string text;
        for (int i = 1; i <= 20000; i++)
            text += std::to_string(i) + "\n";
        return text;
    }
};

FILETIME CabinetStamp()
{
    SYSTEMTIME stamp = {2001, 2, 0, 3, 4, 5, 6, 0};
    FILETIME local = {}, utc = {};
    SystemTimeToFileTime(&stamp, &local);
    LocalFileTimeToFileTime(&local, &utc);
    return utc;
}

TEST_F(Cabinet, UnpacksBesideDunSetupWithTheCabinetsTimeStamps)
{
    std::string sys = MakeProgramFolder();
    std::string cabinet = sys + "\\MSDUN.CAB";
    ASSERT_TRUE(CopyFileA(Fixture("three.cab").c_str(), cabinet.c_str(), FALSE));
    // An existing longer file of the same name is emptied before it is written.
    ASSERT_TRUE(sandbox::WriteBytes(sys + "\\ALPHA.TXT", std::string(5000, 'x')));

    DebugMode = 1;
    sandbox::BoxWatcher boxes;
    EXPECT_TRUE(PrepareDunCabinet((sys + "\\DUNSETUP.EXE").c_str()));
    std::vector<sandbox::BoxWatcher::Box> shown = boxes.Take();

    FILETIME expected = CabinetStamp();
    for (const char *name : {"ALPHA.TXT", "BETA.DAT", "GAMMA.INF"}) {
        HANDLE file = CreateFileA((sys + "\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        FILETIME created, accessed, written;
        ASSERT_TRUE(GetFileTime(file, &created, &accessed, &written));
        CloseHandle(file);
        EXPECT_EQ(CompareFileTime(&written, &expected), 0) << name;
        EXPECT_EQ(CompareFileTime(&created, &expected), 0) << name;
        EXPECT_EQ(CompareFileTime(&accessed, &expected), 0) << name;
    }
    // Contents only now: reading them may move the last-access time.
    EXPECT_EQ(sandbox::ReadBytes(sys + "\\ALPHA.TXT"), "alpha\r\n");
    EXPECT_TRUE(sandbox::ReadBytes(sys + "\\BETA.DAT") == Beta());
    EXPECT_EQ(sandbox::ReadBytes(sys + "\\GAMMA.INF"), "gamma");

    // Debug mode: the folder first, then every file opened, the cabinet
    // included, before it is opened.
    ASSERT_GE(shown.size(), 5u);
    EXPECT_EQ(shown[0].caption, "MSDUN.CAB");
    EXPECT_EQ(shown[0].text, sys);
    EXPECT_EQ(shown[1].caption, "EXTRACT");
    EXPECT_EQ(shown[1].text, cabinet);
    std::vector<std::string> targets;
    for (size_t i = 1; i < shown.size(); i++) {
        EXPECT_EQ(shown[i].caption, "EXTRACT");
        if (shown[i].text != cabinet)
            targets.push_back(shown[i].text);
    }
    EXPECT_EQ(targets, (std::vector<std::string>{sys + "\\ALPHA.TXT", sys + "\\BETA.DAT", sys + "\\GAMMA.INF"}));
}

TEST_F(Cabinet, TargetThatCannotBeWrittenFailsTheWholeExtraction)
{
    std::string target = folder.MakeDirs("target");
    std::string beta = target + "\\BETA.DAT";
    for (bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly ? "read-only" : "in use");
        DeleteFileA((target + "\\ALPHA.TXT").c_str());
        ASSERT_TRUE(sandbox::WriteBytes(beta, "kept"));
        HANDLE busy = INVALID_HANDLE_VALUE;
        if (readOnly)
            ASSERT_TRUE(SetFileAttributesA(beta.c_str(), FILE_ATTRIBUTE_READONLY));
        else
            busy = CreateFileA(beta.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);

        EXPECT_FALSE(ExtractCabinet(target.c_str(), Fixture("three.cab").c_str()));
        EXPECT_EQ(sandbox::ReadBytes(target + "\\ALPHA.TXT"), "alpha\r\n");   // written before: stays
        EXPECT_EQ(sandbox::ReadBytes(beta), "kept");
        EXPECT_FALSE(Exists(target + "\\GAMMA.INF"));

        if (busy != INVALID_HANDLE_VALUE)
            CloseHandle(busy);
        SetFileAttributesA(beta.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    // A cabinet that is not there fails as well.
    EXPECT_FALSE(ExtractCabinet(target.c_str(), (target + "\\NONE.CAB").c_str()));
}

TEST_F(Cabinet, NamesThatLeaveTheFolderAreRefused)
{
    // "..\EVIL.TXT" would land beside the destination folder.
    std::string inner = folder.MakeDirs("outer\\inner");
    EXPECT_FALSE(ExtractCabinet(inner.c_str(), Fixture("escape.cab").c_str()));
    EXPECT_TRUE(Listing(inner).empty());
    EXPECT_EQ(Listing(folder.path() + "\\outer"), std::vector<std::string>{"inner"});

    // A target path of 260 characters or more would be cut to another name.
    const size_t need = 240 - folder.path().size() - 1;
    std::string relative;
    while (relative.size() < need) {
        if (!relative.empty())
            relative += "\\";
        relative += std::string(std::max<size_t>(1, std::min<size_t>(20, need - relative.size())), 'D');
    }
    std::string deep = folder.MakeDirs(relative);
    ASSERT_TRUE(Exists(deep)) << deep;
    ASSERT_GE(deep.size() + 1 + 23, 260u);
    EXPECT_FALSE(ExtractCabinet(deep.c_str(), Fixture("longname.cab").c_str()));
    EXPECT_TRUE(Listing(deep).empty());
}

}  // namespace
