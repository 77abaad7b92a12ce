// Decode throughput of the dialer's GIF decoder beside giflib's, on the
// same files in memory: megapixels per second each and their ratio. A
// benchmark to read, not a test with a time limit.
#include "dialer/image/gif.h"
#include "tests/common/gifmake.h"
#include "tests/native/giflibref.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main()
{
    struct Case { const char *name; int width, height, colors; bool interlace; };
    const Case cases[] = {
        {"banner 221x58, 256 colours", 221, 58, 256, false},
        {"banner 221x58, 16 colours, interlaced", 221, 58, 16, true},
        {"large 1024x768, 256 colours", 1024, 768, 256, false},
        {"large 2000x1000, 2 colours", 2000, 1000, 2, false},
    };
    printf("%-42s %12s %12s %8s\n", "picture", "ours Mpx/s", "giflib Mpx/s", "ratio");
    for (const Case &c : cases) {
        gifmake::Picture p = gifmake::Pattern(c.width, c.height, c.colors, 7);
        gifmake::Options o;
        o.interlace = c.interlace;
        gifmake::Bytes file = gifmake::MakeGif(p, o);
        double pixels = (double)c.width * c.height;
        int rounds = (int)(2e7 / pixels) + 1;

        static GifDecoder decoder;
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < rounds; i++)
            free(GifDecodeMemory(&decoder, file.data(), (unsigned long)file.size()));
        double ours = rounds * pixels / Seconds(start) / 1e6;

        start = std::chrono::steady_clock::now();
        for (int i = 0; i < rounds; i++) {
            Reference ref;
            DecodeWithGiflib(file.data(), file.size(), &ref);
        }
        double theirs = rounds * pixels / Seconds(start) / 1e6;
        printf("%-42s %12.1f %12.1f %8.2f\n", c.name, ours, theirs, ours / theirs);
    }
    return 0;
}
