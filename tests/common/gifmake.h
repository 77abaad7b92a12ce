// Test GIF files made on the fly: a small GIF writer with a real LZW
// encoder and knobs for the variations the decoder must accept (version,
// extensions, sort flag, interlacing, clear codes, sub-block sizes, more
// frames), and the packed DIB a correct decode of a picture gives.
// Shared by the unit tests and the native cross-check, fuzz seeds and
// benchmark. Header-only; test code, so the standard library is used.
#ifndef TOVA_TEST_GIFMAKE_H
#define TOVA_TEST_GIFMAKE_H

#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace gifmake {

typedef std::vector<uint8_t> Bytes;

struct Picture {
    int width = 0, height = 0;
    Bytes pixels;   // colour indices, rows top to bottom
    Bytes colors;   // r, g, b per entry; its size sets the table size
};

struct Options {
    const char *version = "89a";
    bool globalTable = true;
    bool sortFlag = false;
    bool interlace = false;
    bool graphicControl = false;
    bool application = false;     // a NETSCAPE2.0 looping block
    bool comment = false;
    int minCodeSize = 0;          // 0: from the table size
    int leadingClears = 1;        // clear codes at the start
    int clearAfter = 0;           // codes after which a clear is sent; 0: when full
    bool deferredClear = false;   // keep 12-bit codes when full, no clear
    int subBlock = 255;           // bytes per data sub-block
    bool trailer = true;
    const Picture *secondFrame = nullptr;
};

// Entries in the table for the given number of colours: 2^(1+n) >= colours.
inline int TableBits(size_t colors)
{
    int n = 0;
    while ((size_t)(2 << n) < colors && n < 7)
        n++;
    return n;
}

class BitWriter {
public:
    void Put(int code, int size) {
        buffer_ |= (uint32_t)code << bits_;
        bits_ += size;
        while (bits_ >= 8) {
            out_.push_back((uint8_t)buffer_);
            buffer_ >>= 8;
            bits_ -= 8;
        }
    }
    Bytes Finish() {
        if (bits_ > 0)
            out_.push_back((uint8_t)buffer_);
        bits_ = 0;
        buffer_ = 0;
        return out_;
    }
private:
    Bytes out_;
    uint32_t buffer_ = 0;
    int bits_ = 0;
};

// LZW codes of GIF, packed least significant bit first.
inline Bytes EncodeLzw(const Bytes &pixels, int minCodeSize, const Options &o)
{
    const int clear = 1 << minCodeSize, end = clear + 1;
    BitWriter w;
    std::map<uint32_t, int> table;
    int size = minCodeSize + 1, nextFree = clear + 2, sinceClear = 0;

    auto reset = [&]() {
        table.clear();
        size = minCodeSize + 1;
        nextFree = clear + 2;
        sinceClear = 0;
    };
    for (int i = 0; i < o.leadingClears; i++)
        w.Put(clear, size);
    if (pixels.empty()) {
        w.Put(end, size);
        return w.Finish();
    }
    int prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); i++) {
        uint8_t k = pixels[i];
        uint32_t key = ((uint32_t)prefix << 8) | k;
        auto found = table.find(key);
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        w.Put(prefix, size);
        sinceClear++;
        if (nextFree < 4096) {
            table[key] = nextFree++;
            if (nextFree - 1 >= (1 << size) && size < 12)
                size++;
        }
        if ((nextFree >= 4096 && !o.deferredClear) || (o.clearAfter && sinceClear >= o.clearAfter)) {
            w.Put(clear, size);
            reset();
        }
        prefix = k;
    }
    w.Put(prefix, size);
    if (nextFree < 4096) {
        nextFree++;
        if (nextFree - 1 >= (1 << size) && size < 12)
            size++;
    }
    w.Put(end, size);
    return w.Finish();
}

inline void Put16(Bytes &b, int v)
{
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
}

inline Bytes InterlacedOrder(const Picture &p)
{
    static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    Bytes out;
    for (int pass = 0; pass < 4; pass++)
        for (int y = start[pass]; y < p.height; y += step[pass])
            out.insert(out.end(), p.pixels.begin() + (size_t)y * p.width,
                       p.pixels.begin() + (size_t)(y + 1) * p.width);
    return out;
}

inline void PutImage(Bytes &b, const Picture &p, const Options &o)
{
    int bits = TableBits(p.colors.size() / 3);
    int minCode = o.minCodeSize ? o.minCodeSize : (bits + 1 < 2 ? 2 : bits + 1);
    b.push_back(0x2C);
    Put16(b, 0);
    Put16(b, 0);
    Put16(b, p.width);
    Put16(b, p.height);
    b.push_back(o.interlace ? 0x40 : 0x00);
    b.push_back((uint8_t)minCode);
    Bytes data = EncodeLzw(o.interlace ? InterlacedOrder(p) : p.pixels, minCode, o);
    for (size_t i = 0; i < data.size(); i += o.subBlock) {
        size_t n = data.size() - i < (size_t)o.subBlock ? data.size() - i : (size_t)o.subBlock;
        b.push_back((uint8_t)n);
        b.insert(b.end(), data.begin() + i, data.begin() + i + n);
    }
    b.push_back(0);
}

inline Bytes MakeGif(const Picture &p, const Options &o = Options())
{
    Bytes b;
    int bits = TableBits(p.colors.size() / 3);
    b.insert(b.end(), {'G', 'I', 'F'});
    b.insert(b.end(), o.version, o.version + 3);
    Put16(b, p.width);
    Put16(b, p.height);
    b.push_back((uint8_t)((o.globalTable ? 0x80 : 0) | (7 << 4) | (o.sortFlag ? 0x08 : 0) | bits));
    b.push_back(0);
    b.push_back(0);
    if (o.globalTable) {
        Bytes table = p.colors;
        table.resize((size_t)3 * (2 << bits), 0);
        b.insert(b.end(), table.begin(), table.end());
    }
    if (o.application) {
        const char *name = "NETSCAPE2.0";
        b.insert(b.end(), {0x21, 0xFF, 11});
        b.insert(b.end(), name, name + 11);
        b.insert(b.end(), {3, 1, 0, 0, 0});
    }
    if (o.comment) {
        const char *text = "made for the banner";
        b.insert(b.end(), {0x21, 0xFE, (uint8_t)strlen(text)});
        b.insert(b.end(), text, text + strlen(text));
        b.push_back(0);
    }
    if (o.graphicControl)
        b.insert(b.end(), {0x21, 0xF9, 4, 0x04, 50, 0, 0, 0});
    PutImage(b, p, o);
    if (o.secondFrame) {
        if (o.graphicControl)
            b.insert(b.end(), {0x21, 0xF9, 4, 0x04, 50, 0, 0, 0});
        Options plain = o;
        plain.interlace = false;
        PutImage(b, *o.secondFrame, plain);
    }
    if (o.trailer)
        b.push_back(0x3B);
    return b;
}

inline void Put32(Bytes &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b[at + i] = (uint8_t)(v >> (8 * i));
}

// The packed DIB of a picture (rows bottom-up, 1, 4 or 8 bits), with only
// the first `rows` image rows filled (the rest colour 0).
inline Bytes ExpectedDib(const Picture &p, int rows = -1)
{
    size_t count = p.colors.size() / 3;
    int bits = count <= 2 ? 1 : count <= 16 ? 4 : 8;
    int palette = 1 << bits;
    size_t stride = ((size_t)p.width * bits + 31) / 32 * 4;
    size_t tableEnd = 40 + 4 * (size_t)palette;
    Bytes b(tableEnd + stride * p.height, 0);
    Put32(b, 0, 40);
    Put32(b, 4, p.width);
    Put32(b, 8, p.height);
    b[12] = 1;
    b[14] = (uint8_t)bits;
    Put32(b, 20, (uint32_t)(stride * p.height));
    Put32(b, 32, palette);
    Put32(b, 36, palette);
    for (size_t i = 0; i < count && (int)i < palette; i++) {
        b[40 + 4 * i] = p.colors[3 * i + 2];
        b[41 + 4 * i] = p.colors[3 * i + 1];
        b[42 + 4 * i] = p.colors[3 * i];
    }
    if (rows < 0 || rows > p.height)
        rows = p.height;
    for (int y = 0; y < rows; y++) {
        uint8_t *row = &b[tableEnd + stride * (p.height - 1 - y)];
        for (int x = 0; x < p.width; x++) {
            int v = p.pixels[(size_t)y * p.width + x] % palette;
            int bit = x * bits;
            row[bit / 8] |= (uint8_t)(v << (8 - bits - bit % 8));
        }
    }
    return b;
}

// A picture of `colors` entries with a pattern that gives LZW some work.
inline Picture Pattern(int width, int height, int colors, uint32_t seed = 1)
{
    Picture p;
    p.width = width;
    p.height = height;
    for (int i = 0; i < colors; i++) {
        p.colors.push_back((uint8_t)(i * 37 + seed));
        p.colors.push_back((uint8_t)(i * 91 + 7));
        p.colors.push_back((uint8_t)(255 - i * 13));
    }
    uint32_t r = seed * 2654435761u + 1;
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            r = r * 1103515245u + 12345u;
            int v = ((x / 3 + y / 2) + ((r >> 16) % 7 == 0 ? (int)(r >> 20) : 0)) % colors;
            p.pixels.push_back((uint8_t)v);
        }
    return p;
}

}  // namespace gifmake

#endif
