// Decodes a corpus of GIFs with the dialer's decoder and with giflib and
// compares every pixel and the colour table. The corpus: generated files
// over sizes, colour counts, interlacing, clear-code habits, sub-block
// sizes, extensions and extra frames, plus any files named on the command
// line (the shipped advertisement pictures). Exit code 0 when all agree.
#include "dialer/image/gif.h"
#include "tests/common/gifmake.h"
#include "tests/native/giflibref.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

int PixelOf(const unsigned char *dib, int width, int height, int x, int y)
{
    int bits = dib[14];
    unsigned palette = dib[32] | (dib[33] << 8);
    size_t stride = ((size_t)width * bits + 31) / 32 * 4;
    const unsigned char *row = dib + 40 + 4 * palette + stride * (height - 1 - y);
    int bit = x * bits;
    return (row[bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
}

// "" when both decoders agree, else what differs.
std::string Compare(const gifmake::Bytes &file)
{
    Reference ref;
    if (!DecodeWithGiflib(file.data(), file.size(), &ref))
        return "giflib refused it";
    GifDecoder decoder;
    unsigned char *dib = (unsigned char *)GifDecodeMemory(&decoder, file.data(), (unsigned long)file.size());
    if (!dib)
        return "the dialer's decoder refused it";
    std::string problem;
    int width = dib[4] | (dib[5] << 8), height = dib[8] | (dib[9] << 8);
    unsigned palette = dib[32] | (dib[33] << 8);
    if (width != ref.width || height != ref.height)
        problem = "size differs";
    for (size_t i = 0; problem.empty() && i < ref.colors.size() / 3 && i < palette; i++)
        if (dib[40 + 4 * i + 2] != ref.colors[3 * i] || dib[40 + 4 * i + 1] != ref.colors[3 * i + 1] ||
            dib[40 + 4 * i] != ref.colors[3 * i + 2])
            problem = "colour " + std::to_string(i) + " differs";
    for (int y = 0; problem.empty() && y < height; y++)
        for (int x = 0; x < width; x++)
            if ((unsigned)PixelOf(dib, width, height, x, y) != ref.pixels[(size_t)y * width + x] % palette) {
                problem = "pixel " + std::to_string(x) + "," + std::to_string(y) + " differs";
                break;
            }
    free(dib);
    return problem;
}

}  // namespace

int main(int argc, char **argv)
{
    int files = 0, failures = 0;
    const int sizes[][2] = {{1, 1}, {7, 3}, {8, 9}, {16, 16}, {31, 5}, {32, 40}, {33, 7}, {64, 64},
                            {221, 58}, {300, 200}, {1000, 20}, {2052, 4}};
    const int colorCounts[] = {2, 3, 4, 8, 16, 17, 32, 64, 128, 256};
    uint32_t seed = 1;
    for (const auto &size : sizes)
        for (int colors : colorCounts)
            for (int variant = 0; variant < 6; variant++) {
                gifmake::Picture p = gifmake::Pattern(size[0], size[1], colors, seed++);
                gifmake::Picture second = gifmake::Pattern(size[0], size[1], colors, seed++);
                gifmake::Options o;
                o.interlace = variant == 1 || variant == 5;
                o.version = variant == 2 ? "87a" : "89a";
                o.graphicControl = o.application = o.comment = variant == 3;
                o.leadingClears = variant == 4 ? 2 : 1;
                o.clearAfter = variant == 4 ? 50 : 0;
                o.deferredClear = variant == 5;
                o.subBlock = variant == 2 ? 7 : 255;
                o.sortFlag = variant == 3;
                if (variant == 3)
                    o.secondFrame = &second;
                std::string problem = Compare(gifmake::MakeGif(p, o));
                files++;
                if (!problem.empty()) {
                    failures++;
                    printf("DIFF %dx%d, %d colours, variant %d: %s\n", size[0], size[1], colors, variant,
                           problem.c_str());
                }
            }
    for (int i = 1; i < argc; i++) {
        std::ifstream in(argv[i], std::ios::binary);
        gifmake::Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::string problem = Compare(file);
        files++;
        if (!problem.empty()) {
            failures++;
            printf("DIFF %s: %s\n", argv[i], problem.c_str());
        }
    }
    printf("gif cross-check: %d files, %d differ\n", files, failures);
    return failures ? 1 : 0;
}
