// Short and long path names on Wine's own file system. The expected short
// forms come from the file system itself (Wine makes hashed short names,
// not PROGRA~1), the expected long forms from GetLongPathNameA.
#include <gtest/gtest.h>
#include <string>
#include "dialer/core/app.h"
#include "dialer/core/paths.h"
#include "sandbox.h"

namespace {

class Paths : public ::testing::Test {
protected:
    sandbox::Folder folder{"TVLKT4 paths"};
    std::string program;   // a file deep under long-named folders

    void SetUp() override {
        std::string dir = folder.MakeDirs("Program Files Long\\Netscape\\Communicator Suite\\Program");
        program = dir + "\\netscape.exe";
        ASSERT_TRUE(sandbox::WriteBytes(program, "x"));
        ASSERT_NE(sandbox::ShortPath(program), program) << "the volume makes no short names";
    }
};

TEST_F(Paths, ShortPathTakesEachComponentsShortName) {
    char out[PATH_SIZE];
    EXPECT_EQ(ToShortPath(program.c_str(), out, sizeof(out)), 1);
    EXPECT_EQ(std::string(out), sandbox::ShortPath(program));
    EXPECT_EQ(std::string(out).find("Program Files Long"), std::string::npos);
    // A path that is short already comes back the same.
    std::string shortForm = out;
    EXPECT_EQ(ToShortPath(shortForm.c_str(), out, sizeof(out)), 1);
    EXPECT_EQ(std::string(out), shortForm);
}

TEST_F(Paths, MissingPrefixEndsTheConversion) {
    char out[PATH_SIZE];
    // Found components before the missing one: result 1, rest dropped.
    std::string missing = folder.path() + "\\Program Files Long\\No Such Folder\\File.txt";
    EXPECT_EQ(ToShortPath(missing.c_str(), out, sizeof(out)), 1);
    EXPECT_EQ(std::string(out), sandbox::ShortPath(folder.path() + "\\Program Files Long") + "\\No Such Folder");
    // The first component missing: result 0.
    EXPECT_EQ(ToShortPath("C:\\TVLKT4 Missing\\File.txt", out, sizeof(out)), 0);
    EXPECT_STREQ(out, "C:\\TVLKT4 Missing");
    // No backslash at all: unchanged, result 0.
    EXPECT_EQ(ToShortPath("netscape.exe", out, sizeof(out)), 0);
    EXPECT_STREQ(out, "netscape.exe");
    EXPECT_EQ(ToLongPath("C:\\TVLKT4~1\\File.txt", out, sizeof(out)), 0);
    EXPECT_STREQ(out, "C:\\TVLKT4~1");
    // Wildcards never stand for another entry.
    std::string wild = folder.path() + "\\Program*\\Netscape";
    EXPECT_EQ(ToShortPath(wild.c_str(), out, sizeof(out)), 1);
    EXPECT_EQ(std::string(out), sandbox::ShortPath(folder.path()) + "\\Program*");
}

TEST_F(Paths, LongPathExpandsOnlyTildeComponents) {
    char out[PATH_SIZE];
    std::string shortForm = sandbox::ShortPath(program);
    EXPECT_EQ(ToLongPath(shortForm.c_str(), out, sizeof(out)), 1);
    EXPECT_EQ(std::string(out), sandbox::LongPath(program));
    // Components without a tilde are not asked for: their case stays.
    std::string mixed = sandbox::ShortPath(folder.path() + "\\Program Files Long") + "\\NETSCAPE";
    EXPECT_EQ(ToLongPath(mixed.c_str(), out, sizeof(out)), 1);
    EXPECT_EQ(std::string(out), sandbox::LongPath(folder.path()) + "\\Program Files Long\\NETSCAPE");
    EXPECT_EQ(ToLongPath(program.c_str(), out, sizeof(out)), 0);
    EXPECT_EQ(std::string(out), program);
}

TEST_F(Paths, LongNameWithTildeIsNotExpandedAgain) {
    std::string dir = folder.MakeDirs("Tilde~Name Folder\\Inner~Long Name");
    std::string file = dir + "\\x~y long.txt";
    ASSERT_TRUE(sandbox::WriteBytes(file, "x"));
    char out[PATH_SIZE];
    EXPECT_EQ(ToLongPath(sandbox::ShortPath(file).c_str(), out, sizeof(out)), 1);
    EXPECT_EQ(std::string(out), sandbox::LongPath(file));
}

TEST_F(Paths, SmallOutputBuffersGetAPrefix) {
    char full[PATH_SIZE], out[80];
    ASSERT_EQ(ToLongPath(sandbox::ShortPath(program).c_str(), full, sizeof(full)), 1);
    ASSERT_GT(strlen(full), 63u);
    memset(out, '#', sizeof(out));
    EXPECT_EQ(ToLongPath(sandbox::ShortPath(program).c_str(), out, 64), 1);
    EXPECT_EQ(std::string(out), std::string(full, 63));
    EXPECT_EQ(out[64], '#');
    memset(out, '#', sizeof(out));
    EXPECT_EQ(ToShortPath(program.c_str(), out, 1), 1);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], '#');
}

TEST_F(Paths, ExpansionBeyondAPathKeepsTheShortName) {
    // Four folders of 60-character names: the long form passes 259
    // characters, so the last folder is made through the short form.
    const std::string name(60, 'L');
    std::string longPath = folder.path(), at = folder.path();
    for (int level = 0; level < 4; level++) {
        at = sandbox::ShortPath(at) + "\\" + name;
        longPath += "\\" + name;
        ASSERT_TRUE(CreateDirectoryA(at.c_str(), nullptr)) << at;
    }
    ASSERT_GT(longPath.size(), 259u);
    std::string shortForm = sandbox::ShortPath(at);
    ASSERT_FALSE(shortForm.empty());
    char out[PATH_SIZE];
    EXPECT_EQ(ToLongPath(shortForm.c_str(), out, sizeof(out)), 1);
    std::string got = out;
    EXPECT_EQ(got.compare(0, folder.path().size() + 1 + 3 * 61, longPath.substr(0, folder.path().size() + 1 + 3 * 61)), 0) << got;
    EXPECT_NE(got.find('~', folder.path().size() + 3 * 61), std::string::npos) << got;
    EXPECT_NE(GetFileAttributesA(out), INVALID_FILE_ATTRIBUTES) << got;
}

}  // namespace
