// Pictures and palettes of the login window: colour counts of bitmap
// headers, the merging of the skin's and the banner's colour tables into
// the window palette, the program's own bitmaps, and natural-size drawing.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "dialer/image/dib.h"
#include "resource.h"

namespace {

typedef std::vector<COLORREF> Colors;

// A packed DIB in a movable global block: bits per pixel, colour table,
// colours-used field, size; pixel row r (top-down) filled with rowValue(r).
HGLOBAL MakeDib(int bits, const Colors &table, DWORD used, int width, int height,
                int (*rowValue)(int) = nullptr)
{
    DWORD stride = ((DWORD)width * bits + 31) / 32 * 4;
    DWORD size = 40 + 4 * (DWORD)table.size() + stride * height;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    BYTE *bytes = (BYTE *)GlobalLock(block);
    BITMAPINFOHEADER *h = (BITMAPINFOHEADER *)bytes;
    h->biSize = 40;
    h->biWidth = width;
    h->biHeight = height;
    h->biPlanes = 1;
    h->biBitCount = (WORD)bits;
    h->biSizeImage = stride * height;
    h->biClrUsed = used;
    for (size_t i = 0; i < table.size(); i++) {
        bytes[40 + 4 * i] = GetBValue(table[i]);
        bytes[41 + 4 * i] = GetGValue(table[i]);
        bytes[42 + 4 * i] = GetRValue(table[i]);
    }
    BYTE *pixels = bytes + 40 + 4 * table.size();
    if (rowValue && bits == 8)
        for (int r = 0; r < height; r++)
            memset(pixels + stride * (height - 1 - r), rowValue(r), width);
    GlobalUnlock(block);
    return block;
}

DibImage Adopted(int bits, const Colors &table, DWORD used = 0, int width = 4, int height = 3)
{
    DibImage image;
    DibImageInit(&image);
    EXPECT_EQ(DibImageAdopt(&image, MakeDib(bits, table, used, width, height)), 0u);
    return image;
}

Colors PaletteColors(const DibImage &image)
{
    Colors out;
    WORD count = 0;
    if (!image.palette || !GetObjectA(image.palette, sizeof(count), &count))
        return out;
    std::vector<PALETTEENTRY> entries(count);
    GetPaletteEntries(image.palette, 0, count, entries.data());
    for (const PALETTEENTRY &e : entries)
        out.push_back(RGB(e.peRed, e.peGreen, e.peBlue));
    return out;
}

const COLORREF RED = RGB(255, 0, 0), GREEN = RGB(0, 255, 0), BLUE = RGB(0, 0, 255),
               WHITE = RGB(255, 255, 255), GREY = RGB(128, 128, 128);

TEST(DibImage, ColourCountsOfHeaders) {
    struct Case { int bits; size_t table; DWORD used; DWORD count; bool palette; };
    const Case cases[] = {
        {1, 2, 0, 2, true},
        {4, 16, 0, 16, true},
        {4, 16, 5, 5, true},
        {8, 256, 0, 256, true},
        {24, 0, 0, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bits);
        DibImage image = Adopted(c.bits, Colors(c.table, GREY), c.used);
        EXPECT_EQ(image.colorCount, c.count);
        EXPECT_EQ(image.palette != nullptr, c.palette);
        EXPECT_EQ(PaletteColors(image).size(), c.palette ? c.count : 0u);
        EXPECT_EQ(image.width, 4);
        EXPECT_EQ(image.height, 3);
        EXPECT_EQ(DibBitsOffset(&image), 40 + 4 * c.count);
        DibImageRelease(&image);
        EXPECT_EQ(image.data, nullptr);
        EXPECT_EQ(image.palette, nullptr);
        EXPECT_EQ(image.colorCount, 0u);
    }
}

TEST(DibImage, MergeIntoEmptyHolderCopiesTheTableAndAgainAddsNothing) {
    DibImage source = Adopted(8, {RED, GREEN, BLUE, GREEN}, 4);
    DibImage holder;
    DibImageInit(&holder);
    EXPECT_TRUE(DibImageMergePalette(&holder, &source));
    EXPECT_EQ(PaletteColors(holder), Colors({RED, GREEN, BLUE, GREEN}));
    EXPECT_EQ(holder.width, 0);
    EXPECT_EQ(holder.height, 0);
    const BITMAPINFOHEADER *h = (const BITMAPINFOHEADER *)GlobalLock(holder.data);
    EXPECT_EQ(h->biWidth, 0);
    EXPECT_EQ(h->biHeight, 0);
    EXPECT_EQ(h->biSizeImage, 0u);
    GlobalUnlock(holder.data);

    HGLOBAL data = holder.data;
    HPALETTE palette = holder.palette;
    EXPECT_TRUE(DibImageMergePalette(&holder, &source));
    EXPECT_EQ(holder.data, data);
    EXPECT_EQ(holder.palette, palette);
    DibImageRelease(&holder);
    DibImageRelease(&source);
}

TEST(DibImage, MergeAppendsNewColoursOnceAndKeepsTheFirst) {
    DibImage skin = Adopted(8, {RED, GREEN}, 2);
    DibImage banner = Adopted(8, {BLUE, GREEN, BLUE, WHITE, RED, WHITE}, 6);
    DibImage allKnown = Adopted(4, {GREEN, RED}, 2);
    DibImage holder;
    DibImageInit(&holder);
    ASSERT_TRUE(DibImageMergePalette(&holder, &skin));
    EXPECT_TRUE(DibImageMergePalette(&holder, &banner));
    EXPECT_EQ(PaletteColors(holder), Colors({RED, GREEN, BLUE, WHITE}));
    EXPECT_EQ(holder.colorCount, 4u);

    HGLOBAL data = holder.data;
    EXPECT_TRUE(DibImageMergePalette(&holder, &allKnown));
    EXPECT_EQ(holder.data, data);
    EXPECT_EQ(PaletteColors(holder), Colors({RED, GREEN, BLUE, WHITE}));

    DibImage noPalette = Adopted(24, {});
    EXPECT_FALSE(DibImageMergePalette(&holder, &noPalette));
    EXPECT_EQ(holder.data, data);
    for (DibImage *i : {&skin, &banner, &allKnown, &noPalette, &holder})
        DibImageRelease(i);
}

TEST(DibImage, ProgramBitmapsAndErrors) {
    DibImage skin, banner, holder;
    DibImageInit(&skin);
    DibImageInit(&banner);
    DibImageInit(&holder);
    ASSERT_EQ(DibImageLoadResource(&skin, IDB_SKIN), 0u);
    ASSERT_EQ(DibImageLoadResource(&banner, IDB_BANNER), 0u);
    EXPECT_EQ(skin.width, 300);
    EXPECT_EQ(skin.height, 500);
    EXPECT_EQ(banner.width, 221);
    EXPECT_EQ(banner.height, 58);
    EXPECT_NE(skin.palette, nullptr);
    EXPECT_NE(banner.palette, nullptr);
    // The skin's colours keep the first places of the window palette.
    ASSERT_TRUE(DibImageMergePalette(&holder, &skin));
    ASSERT_TRUE(DibImageMergePalette(&holder, &banner));
    Colors merged = PaletteColors(holder), skinColors = PaletteColors(skin);
    ASSERT_GE(merged.size(), skinColors.size());
    EXPECT_TRUE(std::equal(skinColors.begin(), skinColors.end(), merged.begin()));
    for (COLORREF c : PaletteColors(banner))
        EXPECT_NE(std::find(merged.begin(), merged.end(), c), merged.end());

    EXPECT_EQ(DibImageLoadResource(&banner, 4321), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(banner.data, nullptr);
    EXPECT_EQ(DibImageAdopt(&banner, nullptr), (DWORD)ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(DibImageAdopt(nullptr, nullptr), (DWORD)ERROR_INVALID_PARAMETER);
    EXPECT_EQ(DibImageLoadResource(nullptr, IDB_SKIN), (DWORD)ERROR_INVALID_PARAMETER);
    for (DibImage *i : {&skin, &banner, &holder})
        DibImageRelease(i);
}

// Drawing into a 32-bit memory surface filled with white.
class Surface {
public:
    Surface() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kSize;
        info.bmiHeader.biHeight = -kSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, (void **)&bits_, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < kSize * kSize; i++)
            bits_[i] = 0xFFFFFF;
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        DWORD v = bits_[y * kSize + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    static const int kSize = 64;
private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD *bits_ = nullptr;
};

const Colors ROW_COLORS = {RED, GREEN, BLUE, GREY, RGB(10, 20, 30), RGB(200, 100, 50), RGB(0, 0, 0),
                           RGB(1, 2, 3), RGB(9, 9, 9), RGB(77, 0, 77)};
int RowIndex(int r) { return r % 10; }

TEST(DibImage, NaturalSizeDrawsTheSourceOneToOneAtTheCorner) {
    DibImage image;
    DibImageInit(&image);
    ASSERT_EQ(DibImageAdopt(&image, MakeDib(8, ROW_COLORS, 10, 5, 10, RowIndex)), 0u);
    {
        Surface s;
        RECT to = {10, 20, 50, 60}, from = {0, 0, 5, 4};
        EXPECT_TRUE(DibImageDraw(&image, image.palette, nullptr, s.dc(), &to, &from, SRCCOPY,
                                 DRAW_SELECT_PALETTE | DRAW_NATURAL_SIZE));
        for (int r = 0; r < 4; r++)
            EXPECT_EQ(s.At(10, 20 + r), ROW_COLORS[r]) << "row " << r;  // top rows, in order
        EXPECT_EQ(s.At(14, 23), ROW_COLORS[3]);
        EXPECT_EQ(s.At(15, 20), WHITE);
        EXPECT_EQ(s.At(10, 24), WHITE);
    }
    {
        Surface s;
        RECT to = {10, 20, 50, 60}, from = {0, 0, 5, 4};
        DibImageDraw(&image, nullptr, nullptr, s.dc(), &to, &from, SRCCOPY, 0);
        EXPECT_EQ(s.At(49, 59), ROW_COLORS[3]);  // stretched over the destination
    }
    {
        Surface s;  // a source taller than the picture is told: rows counted from the top
        RECT to = {0, 0, 0, 0}, from = {1, 6, 3, 9};
        DibImageDraw(&image, nullptr, nullptr, s.dc(), &to, &from, SRCCOPY, DRAW_NATURAL_SIZE);
        EXPECT_EQ(s.At(0, 0), ROW_COLORS[6]);
        EXPECT_EQ(s.At(1, 2), ROW_COLORS[8]);
        EXPECT_EQ(s.At(2, 0), WHITE);
    }
    DibImage empty;
    DibImageInit(&empty);
    Surface s;
    EXPECT_TRUE(DibImageDraw(&empty, nullptr, nullptr, s.dc(), nullptr, nullptr, SRCCOPY, 0));
    EXPECT_FALSE(DibImageDraw(nullptr, nullptr, nullptr, s.dc(), nullptr, nullptr, SRCCOPY, 0));
    DibImageRelease(&image);
}

}  // namespace
