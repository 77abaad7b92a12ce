/* The login window's pictures: the skin and the built-in banner loaded
 * from the program's bitmaps, the window palette merged from both (skin
 * colours first) and realised, and their release with the window. */
#include "dialer/login/loginparts.h"
#include "dialer/login/login.h"
#include "resource.h"

void InitLoginImages(HWND window, LoginWindowState *state)
{
    if (!state)
        return;
    DibImageInit(&state->Palette);
    DibImageInit(&state->BannerImage);
    DibImageInit(&state->SkinImage);
    DibImageLoadResource(&state->BannerImage, IDB_BANNER);
    DibImageLoadResource(&state->SkinImage, IDB_SKIN);
    DibImageMergePalette(&state->Palette, &state->SkinImage);
    DibImageMergePalette(&state->Palette, &state->BannerImage);
    DibImageRealize(&state->Palette, window, 0);
}

void ReleaseLoginImages(LoginWindowState *state)
{
    if (!state)
        return;
    DibImageRelease(&state->Palette);
    DibImageRelease(&state->BannerImage);
    DibImageRelease(&state->SkinImage);
}
