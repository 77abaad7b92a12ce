// The reference decode through giflib: the first image of a GIF in memory
// as one colour index per pixel (rows top-down, de-interlaced), with its
// global colour table.
#ifndef TOVA_NATIVE_GIFLIBREF_H
#define TOVA_NATIVE_GIFLIBREF_H

#include <gif_lib.h>
#include <cstring>
#include <vector>

struct MemoryReader {
    const unsigned char *data;
    size_t size, at;
};

inline int ReadFromMemory(GifFileType *gif, GifByteType *out, int n)
{
    MemoryReader *r = (MemoryReader *)gif->UserData;
    size_t left = r->size - r->at;
    size_t take = (size_t)n < left ? (size_t)n : left;
    memcpy(out, r->data + r->at, take);
    r->at += take;
    return (int)take;
}

struct Reference {
    int width = 0, height = 0;
    std::vector<unsigned char> pixels;
    std::vector<unsigned char> colors;
};

inline bool DecodeWithGiflib(const unsigned char *data, size_t size, Reference *out)
{
    MemoryReader reader = {data, size, 0};
    int error = 0;
    GifFileType *gif = DGifOpen(&reader, ReadFromMemory, &error);
    if (!gif)
        return false;
    bool ok = DGifSlurp(gif) == GIF_OK && gif->ImageCount > 0 && gif->SColorMap;
    if (ok) {
        const SavedImage &image = gif->SavedImages[0];
        out->width = image.ImageDesc.Width;
        out->height = image.ImageDesc.Height;
        out->pixels.assign(image.RasterBits, image.RasterBits + (size_t)out->width * out->height);
        for (int i = 0; i < gif->SColorMap->ColorCount; i++) {
            out->colors.push_back(gif->SColorMap->Colors[i].Red);
            out->colors.push_back(gif->SColorMap->Colors[i].Green);
            out->colors.push_back(gif->SColorMap->Colors[i].Blue);
        }
    }
    DGifCloseFile(gif, &error);
    return ok;
}

#endif
