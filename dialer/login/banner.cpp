/* The advertisement banner: shows the advertisements of the registry's
 * Advertisement list one after another, a new one at most every five
 * seconds, with the window palette rebuilt for each picture. Without
 * advertisements, or when a picture cannot be decoded, the built-in banner
 * bitmap is shown and a click leads to the start page. */
#include "dialer/login/banner.h"
#include "dialer/login/login.h"
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/image/gif.h"
#include "resource.h"

#define BANNER_PERIOD_MS  5000
#define AD_IMAGE_SIZE     32
#define AD_KEY_SIZE       64

BOOL BannerDue(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    DWORD elapsed;

    if (!state)
        return FALSE;
    elapsed = GetTickCount() - state->LastAdTick;
    if ((LONG)elapsed < 0)
        elapsed = 0 - elapsed;
    return elapsed > BANNER_PERIOD_MS;
}

/* Reads Image and URL of advertisement n; FALSE when either is missing or
 * too long for its buffer. */
static BOOL ReadAdvertisement(LONG number, char *image, char *url)
{
    char key[AD_KEY_SIZE];

    wsprintfA(key, "%s\\ad%d", SettingName(SET_ADVERTISEMENT), (int)number);
    if (ReadSettingText(TRUE, key, SettingName(SET_IMAGE), image, AD_IMAGE_SIZE) != ERROR_SUCCESS)
        return FALSE;
    return ReadSettingText(TRUE, key, SettingName(SET_URL), url, LOGIN_URL_SIZE) == ERROR_SUCCESS;
}

/* Finds the next advertisement from NextAdNumber, wrapping to the first;
 * leaves NextAdNumber naming the one after it, or 0 when there is none. */
static void FindNextAdvertisement(LoginWindowState *state, char *image, char *url)
{
    if (state->NextAdNumber < 0)
        state->NextAdNumber = 1;
    while (!ReadAdvertisement(state->NextAdNumber, image, url)) {
        if (state->NextAdNumber == 1) {
            state->NextAdNumber = 0;
            return;
        }
        state->NextAdNumber = 1;
    }
    state->NextAdNumber++;
}

static BOOL ShowAdvertisement(LoginWindowState *state, const char *image, const char *url)
{
    char path[PATH_SIZE];
    HGLOBAL block;

    block = LoadGifFile(JoinPath(DataDirectory, image, path));
    if (!block)
        return FALSE;
    if (DibImageAdopt(&state->BannerImage, block) != 0) {
        GlobalFree(block);
        return FALSE;
    }
    CopyText(state->BannerUrl, url, sizeof(state->BannerUrl));
    return TRUE;
}

void RotateBanner(HWND window)
{
    LoginWindowState *state = LoginStateOf(window);
    char image[AD_IMAGE_SIZE], url[LOGIN_URL_SIZE];
    LONG previous;
    HWND banner;

    if (!state)
        return;
    previous = state->NextAdNumber;
    image[0] = 0;
    url[0] = 0;
    if (previous != 0)
        FindNextAdvertisement(state, image, url);
    state->LastAdTick = GetTickCount();
    if (state->NextAdNumber == previous)
        return;
    if (state->NextAdNumber == 0 || !ShowAdvertisement(state, image, url)) {
        CopyText(state->BannerUrl, Current.StartUpUrl, sizeof(state->BannerUrl));
        DibImageLoadResource(&state->BannerImage, IDB_BANNER);
    }
    DibImageRelease(&state->Palette);
    DibImageMergePalette(&state->Palette, &state->SkinImage);
    DibImageMergePalette(&state->Palette, &state->BannerImage);
    DibImageRealize(&state->Palette, window, 0);
    banner = GetDlgItem(window, IDC_BANNER);
    if (banner)
        InvalidateRect(banner, NULL, TRUE);
}
