// Advertisement GIFs: files made by the test GIF writer are loaded from disk
// and the packed DIB is compared byte for byte (header, colour table and
// every pixel) with the DIB the picture must give.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "dialer/image/gif.h"
#include "tests/common/gifmake.h"

namespace {

using gifmake::Bytes;
using gifmake::Options;
using gifmake::Picture;

std::string TempPath(const char *name)
{
    char dir[MAX_PATH];
    GetTempPathA(sizeof(dir), dir);
    return std::string(dir) + name;
}

// Writes the bytes to a file and loads it; the DIB comes back as bytes,
// empty when the load returned none.
bool Load(const Bytes &file, Bytes *dib)
{
    std::string path = TempPath("tova_gif_test.gif");
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (h == INVALID_HANDLE_VALUE)
        return false;
    WriteFile(h, file.data(), (DWORD)file.size(), &written, nullptr);
    CloseHandle(h);
    HGLOBAL block = LoadGifFile(path.c_str());
    DeleteFileA(path.c_str());
    dib->clear();
    if (!block)
        return false;
    EXPECT_EQ(GlobalFlags(block) & GMEM_LOCKCOUNT, 0u) << "the block comes back unlocked";
    const uint8_t *bytes = (const uint8_t *)GlobalLock(block);
    dib->assign(bytes, bytes + GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return true;
}

// Compares the decoded DIB with the expected one (the block may be larger).
void ExpectDib(const Bytes &got, const Bytes &want)
{
    ASSERT_GE(got.size(), want.size());
    ASSERT_EQ(memcmp(got.data(), want.data(), 40), 0) << "header";
    size_t first = 0;
    while (first < want.size() && got[first] == want[first])
        first++;
    EXPECT_EQ(first, want.size()) << "first differing byte at " << first;
}

Picture Rows(int width, int height, int colors)
{
    // Each row has its own colour in the first column, the rest a pattern.
    Picture p = gifmake::Pattern(width, height, colors);
    for (int y = 0; y < height; y++)
        p.pixels[(size_t)y * width] = (uint8_t)((y + 1) % colors);
    return p;
}

TEST(Gif, DecodesPixelForPixel) {
    struct Case {
        const char *name;
        Picture picture;
        Options options;
    };
    std::vector<Case> cases;
    auto add = [&](const char *name, Picture p, Options o) { cases.push_back({name, p, o}); };
    Options o;

    o = Options(); o.version = "87a";
    add("87a", Rows(23, 7, 16), o);
    o = Options(); o.graphicControl = o.application = o.comment = true;
    add("89a with graphic-control, application and comment extensions", Rows(23, 7, 16), o);
    o = Options(); o.sortFlag = true;
    add("sort flag in the screen descriptor", Rows(13, 5, 8), o);
    o = Options(); o.interlace = true;
    add("interlaced, 10 rows", Rows(9, 10, 16), o);
    add("interlaced, 3 rows: short images still get every row", Rows(9, 3, 16), o);
    add("interlaced, 29 rows, 256 colours", Rows(40, 29, 256), o);
    add("2 entries: 1 bit", Rows(19, 6, 2), Options());
    add("8 entries: 4 bits, 8 black entries", Rows(19, 6, 8), Options());
    add("4 entries: 4 bits", Rows(5, 4, 3), Options());
    add("64 entries: 8 bits, 192 black entries", Rows(19, 6, 64), Options());
    add("4 bits, width 16: first column of every row", Rows(16, 9, 16), Options());
    add("4 bits, width 8", Rows(8, 9, 16), Options());
    add("1 bit, width 32: first column of every row", Rows(32, 9, 2), Options());
    add("1 bit, width 64", Rows(64, 5, 2), Options());
    add("8 bits, width 4", Rows(4, 5, 200), Options());
    o = Options(); o.leadingClears = 2;
    add("two clear codes in a row", Rows(31, 8, 32), o);
    o = Options(); o.leadingClears = 0;
    add("no clear code before the first code", Rows(31, 8, 32), o);
    o = Options(); o.clearAfter = 7;
    add("clear codes every 7 codes", Rows(31, 8, 32), o);
    add("full table, cleared when full", gifmake::Pattern(400, 120, 256, 5), Options());
    o = Options(); o.deferredClear = true;
    add("full table, 12-bit codes go on without a clear", gifmake::Pattern(400, 120, 256, 5), o);
    o = Options(); o.subBlock = 1;
    add("one-byte sub-blocks", Rows(17, 5, 16), o);
    add("widest line", gifmake::Pattern(2052, 3, 256), Options());

    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Bytes dib;
        ASSERT_TRUE(Load(gifmake::MakeGif(c.picture, c.options), &dib));
        ExpectDib(dib, gifmake::ExpectedDib(c.picture));
    }
}

TEST(Gif, AnimatedShowsItsFirstFrame) {
    Picture first = Rows(12, 6, 16), second = gifmake::Pattern(12, 6, 16, 9);
    Options o;
    o.graphicControl = o.application = true;
    o.secondFrame = &second;
    Bytes dib;
    ASSERT_TRUE(Load(gifmake::MakeGif(first, o), &dib));
    ExpectDib(dib, gifmake::ExpectedDib(first));
}

TEST(Gif, FileCutInTheImageDataKeepsTheRowsDecoded) {
    Picture p = gifmake::Pattern(50, 40, 256, 3);
    Bytes file = gifmake::MakeGif(p);
    file.resize(file.size() / 2);
    Bytes dib;
    ASSERT_TRUE(Load(file, &dib));
    // The top rows are the picture's, then nothing but colour 0.
    int rows = 0;
    for (; rows <= p.height; rows++) {
        Bytes want = gifmake::ExpectedDib(p, rows);
        if (dib.size() >= want.size() && memcmp(dib.data(), want.data(), want.size()) == 0)
            break;
    }
    EXPECT_GT(rows, 0);
    EXPECT_LT(rows, p.height);
}

TEST(Gif, SubBlockReadInFullStillDecodesWhenTheFileEndsAfterIt) {
    Picture p = Rows(20, 6, 16);
    Bytes file = gifmake::MakeGif(p);
    file.resize(file.size() - 2);  // no block terminator, no trailer
    Bytes dib;
    ASSERT_TRUE(Load(file, &dib));
    ExpectDib(dib, gifmake::ExpectedDib(p));
}

TEST(Gif, FaultsInsideTheImageDataStillLoad) {
    Picture p = Rows(10, 4, 16);
    Picture blank = p;
    std::fill(blank.pixels.begin(), blank.pixels.end(), 0);
    for (int minCode : {1, 10, 12}) {
        SCOPED_TRACE(minCode);
        Options o;
        o.minCodeSize = minCode;
        Bytes dib;
        ASSERT_TRUE(Load(gifmake::MakeGif(p, o), &dib));
        ExpectDib(dib, gifmake::ExpectedDib(blank));
    }
}

TEST(Gif, RefusedFiles) {
    Picture p = Rows(10, 4, 16);
    Bytes good = gifmake::MakeGif(p);
    struct Case { const char *name; Bytes file; };
    std::vector<Case> cases;
    Options o;
    o.globalTable = false;
    cases.push_back({"no global colour table", gifmake::MakeGif(p, o)});
    Bytes trailerOnly(good.begin(), good.begin() + 13 + 48);
    trailerOnly.push_back(0x3B);
    cases.push_back({"trailer right after the colour table", trailerOnly});
    Bytes stray = trailerOnly;
    stray.back() = 0x00;
    cases.push_back({"a stray block introducer", stray});
    cases.push_back({"table runs past the end", Bytes(good.begin(), good.begin() + 40)});
    cases.push_back({"descriptor cut short", Bytes(good.begin(), good.begin() + 13 + 48 + 5)});
    Bytes bad = good;
    bad[1] = 'X';
    cases.push_back({"bad signature", bad});
    bad = good;
    bad[4] = 'a';
    cases.push_back({"bad version digit", bad});
    cases.push_back({"under 16 bytes", Bytes(good.begin(), good.begin() + 15)});
    Picture wide = gifmake::Pattern(2053, 2, 16);
    cases.push_back({"wider than a line holds", gifmake::MakeGif(wide)});
    Picture empty;
    empty.width = 0;
    empty.height = 4;
    empty.colors = p.colors;
    cases.push_back({"width 0", gifmake::MakeGif(empty)});
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Bytes dib;
        EXPECT_FALSE(Load(c.file, &dib));
    }
    EXPECT_EQ(LoadGifFile(TempPath("tova_no_such_file.gif").c_str()), nullptr);
}

TEST(Gif, DamagedDataNeverRunsWild) {
    // Corrupt codes can chain table entries into loops; every variant must
    // come back with a whole block or none, and leak nothing.
    Picture p = gifmake::Pattern(60, 30, 256, 11);
    Bytes good = gifmake::MakeGif(p);
    uint32_t r = 12345;
    for (int round = 0; round < 200; round++) {
        Bytes file = good;
        for (int k = 0; k < 1 + round % 6; k++) {
            r = r * 1103515245u + 12345u;
            size_t at = 13 + 768 + (r >> 8) % (file.size() - 13 - 768);
            file[at] = (uint8_t)(r >> 24);
        }
        GifDecoder decoder;
        void *block = GifDecodeMemory(&decoder, file.data(), (unsigned long)file.size());
        if (block) {
            EXPECT_GE(GlobalSize((HGLOBAL)block), (SIZE_T)(40 + 1024 + 60 * 30));
            GlobalFree((HGLOBAL)block);
        }
        EXPECT_EQ(decoder.work, nullptr);
    }
}

}  // namespace
