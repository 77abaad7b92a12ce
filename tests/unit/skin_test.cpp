// The login window's look and banner on a real window made from dialog
// 102 (on the virtual display): its outline, the control places, hover
// highlighting drawn from the skin cells, the hand cursor, dragging, the
// swallowed maximise, tooltip texts, and the banner's rotation through the
// registry's advertisement list.
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include <vector>
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/login/banner.h"
#include "dialer/login/login.h"
#include "dialer/login/loginparts.h"
#include "dialer/login/skin.h"
#include "resource.h"
#include "tests/common/gifmake.h"

#include <commctrl.h>

namespace {

const char kKey[] = "TVLKSKIN";

LoginWindowState gState;
HWND gWindow;

INT_PTR CALLBACK TestLoginProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    if (HandleSkinMessage(window, message, wParam, lParam, &result)) {
        if (message != WM_PAINT)
            SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
        return TRUE;
    }
    return FALSE;
}

void Pump()
{
    MSG msg;
    for (int i = 0; i < 5; i++) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(20);
    }
}

// The pixels of a window as it shows them, 32-bit, top-down.
std::vector<DWORD> Grab(HWND window, int w, int h)
{
    std::vector<DWORD> out((size_t)w * h);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC source = GetDC(window), memory = CreateCompatibleDC(source);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY);
    GdiFlush();
    memcpy(out.data(), bits, out.size() * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, source);
    for (DWORD &v : out)
        v &= 0xFFFFFF;
    return out;
}

// What cell `cell` of a button's strip looks like, drawn off-screen.
std::vector<DWORD> Cell(int id, int cell, int w, int h)
{
    std::vector<DWORD> out((size_t)w * h);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC memory = CreateCompatibleDC(nullptr);
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    DrawSkinButton(&gState, id, nullptr, memory, cell);
    GdiFlush();
    memcpy(out.data(), bits, out.size() * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    for (DWORD &v : out)
        v &= 0xFFFFFF;
    return out;
}

void CursorOver(int id, int dx = 0, int dy = 0)
{
    RECT r;
    GetWindowRect(GetDlgItem(gWindow, id), &r);
    SetCursorPos((r.left + r.right) / 2 + dx, (r.top + r.bottom) / 2 + dy);
}

void CursorAt(int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(gWindow, &p);
    SetCursorPos(p.x, p.y);
}

class LoginSkin : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        AppInstance = GetModuleHandleA(nullptr);
        InitCommonControls();
        ZeroMemory(&gState, sizeof(gState));
        gWindow = CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_LOGIN), nullptr, TestLoginProc,
                                     (LPARAM)&gState);
        ASSERT_NE(gWindow, nullptr);
        gState.Window = gWindow;
        gState.NextAdNumber = -1;
        InitLoginImages(gWindow, &gState);
        ShapeWindow(gWindow);
        SetWindowPos(gWindow, HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE);
        ShowWindow(gWindow, SW_SHOWNORMAL);
        Pump();
    }
    static void TearDownTestSuite() {
        ReleaseLoginImages(&gState);
        DestroyWindow(gWindow);
        gWindow = nullptr;
    }
};

TEST_F(LoginSkin, OutlineAndControlPlaces) {
    RECT w;
    GetWindowRect(gWindow, &w);
    EXPECT_GE(w.right - w.left, 233);
    EXPECT_GE(w.bottom - w.top, 234);
    EXPECT_EQ(ShapeWindow(gWindow), FALSE) << "built once per size";

    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(gWindow, region), ERROR);
    // Inside the ellipse (0,0)-(233,234), or in the lower half of the
    // rounded rectangle (0,0)-(233,224); only pixels clearly inside or
    // outside are compared, the rasterised edge may differ by a pixel.
    int checked = 0;
    for (int y = -2; y < 240; y++)
        for (int x = -2; x < 240; x++) {
            double cx = x + 0.5, cy = y + 0.5;
            double e = std::hypot((cx - 116.5) / 116.5, (cy - 117.0) / 117.0);
            double ex = (e - 1.0) * 116.5;
            double qx = std::fabs(cx - 116.5) - (116.5 - 5), qy = std::fabs(cy - 112) - (112 - 5);
            double rr = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) - 5;
            double body = std::max(rr, 112.0 - cy);
            double d = std::min(ex, body);
            if (std::fabs(d) < 1.5)
                continue;
            checked++;
            ASSERT_EQ(PtInRegion(region, x, y) != 0, d < 0) << x << "," << y;
        }
    EXPECT_GT(checked, 40000);
    DeleteObject(region);

    struct Place { int id, x, y, w, h; };
    const Place places[] = {
        {IDC_MINIMIZE, 76, 0, 39, 13}, {IDC_CLOSEBUTTON, 117, 0, 42, 13}, {IDC_SAVEPASSWORD, 180, 88, 11, 11},
        {IDC_HELPBUTTON, 115, 103, 27, 31}, {IDC_SETTINGS, 142, 103, 24, 31}, {IDC_CONNECT, 166, 103, 26, 31},
        {IDCANCEL, 166, 103, 26, 31}, {IDC_USERID, 89, 49, 103, 17}, {IDC_PASSWORD, 89, 68, 103, 18},
        {IDC_STATUS, 12, 138, 213, 14}, {IDC_BANNER, 6, 160, 221, 58}, {IDC_LOGO, 31, 112, 85, 17},
    };
    for (const Place &p : places) {
        RECT r;
        GetWindowRect(GetDlgItem(gWindow, p.id), &r);
        MapWindowPoints(nullptr, gWindow, (POINT *)&r, 2);
        EXPECT_EQ(r.left, p.x) << p.id;
        EXPECT_EQ(r.top, p.y) << p.id;
        EXPECT_EQ(r.right - r.left, p.w) << p.id;
        EXPECT_EQ(r.bottom - r.top, p.h) << p.id;
    }
}

TEST_F(LoginSkin, HoverHighlightsOneEnabledButtonFromItsCell) {
    HWND help = GetDlgItem(gWindow, IDC_HELPBUTTON), settings = GetDlgItem(gWindow, IDC_SETTINGS);
    CursorOver(IDC_HELPBUTTON);
    TrackHotButton(gWindow);
    EXPECT_EQ(gState.HotButton, (UINT)IDC_HELPBUTTON);
    EXPECT_EQ(Grab(help, 27, 31), Cell(IDC_HELPBUTTON, 1, 27, 31));

    CursorOver(IDC_SETTINGS);
    TrackHotButton(gWindow);
    EXPECT_EQ(gState.HotButton, (UINT)IDC_SETTINGS);
    Pump();
    EXPECT_EQ(Grab(settings, 24, 31), Cell(IDC_SETTINGS, 1, 24, 31));
    EXPECT_EQ(Grab(help, 27, 31), Cell(IDC_HELPBUTTON, 0, 27, 31)) << "help went back to normal";

    CursorAt(40, 90);  // the body
    TrackHotButton(gWindow);
    EXPECT_EQ(gState.HotButton, 0u);
    Pump();
    EXPECT_EQ(Grab(settings, 24, 31), Cell(IDC_SETTINGS, 0, 24, 31));

    EnableWindow(settings, FALSE);
    CursorOver(IDC_SETTINGS);
    TrackHotButton(gWindow);
    EXPECT_EQ(gState.HotButton, 0u) << "disabled buttons never light up";
    EnableWindow(settings, TRUE);

    // While dialling, button 2 covers connect: neither lights up.
    HWND connect = GetDlgItem(gWindow, IDC_CONNECT), cancel = GetDlgItem(gWindow, IDCANCEL);
    ShowWindow(connect, SW_HIDE);
    ShowWindow(cancel, SW_SHOW);
    CursorOver(IDC_CONNECT);
    TrackHotButton(gWindow);
    EXPECT_EQ(gState.HotButton, 0u);
    ShowWindow(cancel, SW_HIDE);
    ShowWindow(connect, SW_SHOW);
    TrackHotButton(gWindow);
    EXPECT_EQ(gState.HotButton, (UINT)IDC_CONNECT);
    CursorOver(IDC_BANNER);
    TrackHotButton(gWindow);
    EXPECT_EQ(gState.HotButton, 0u) << "the banner never lights up";
    Pump();
}

TEST_F(LoginSkin, CursorDragMaximiseAndTooltipTexts) {
    CursorOver(IDC_BANNER);
    EXPECT_TRUE(SetBannerCursor(gWindow, HTCLIENT));
    EXPECT_EQ(GetCursor(), LoadCursorA(AppInstance, MAKEINTRESOURCEA(IDR_HAND_CURSOR)));
    EXPECT_FALSE(SetBannerCursor(gWindow, HTCAPTION));
    CursorOver(IDC_USERID);
    EXPECT_FALSE(SetBannerCursor(gWindow, HTCLIENT));

    auto hit = [](int x, int y) {
        POINT p = {x, y};
        ClientToScreen(gWindow, &p);
        return SendMessageA(gWindow, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(40, 90), HTCAPTION);
    EXPECT_EQ(hit(116, 30), HTCAPTION);
    EXPECT_NE(hit(120, 55), HTCAPTION) << "the ID edit";
    EXPECT_NE(hit(128, 118), HTCAPTION) << "the help button";

    SendMessageA(gWindow, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    SendMessageA(gWindow, WM_SYSCOMMAND, SC_MAXIMIZE | 2, 0);
    EXPECT_FALSE(IsZoomed(gWindow));

    struct Case { int id; UINT text; };
    for (const Case &c : {Case{IDC_BANNER, IDS_TIP_BANNER}, Case{IDC_HELPBUTTON, IDS_TIP_HELP},
                          Case{IDC_SETTINGS, IDS_TIP_SETTINGS}}) {
        NMTTDISPINFOA info = {};
        info.hdr.code = TTN_NEEDTEXTA;
        info.hdr.idFrom = (UINT_PTR)GetDlgItem(gWindow, c.id);
        info.uFlags = TTF_IDISHWND;
        LRESULT result = 1;
        EXPECT_TRUE(HandleSkinMessage(gWindow, WM_NOTIFY, 0, (LPARAM)&info, &result));
        EXPECT_EQ(info.lpszText, MAKEINTRESOURCEA(c.text));
        EXPECT_EQ(info.hinst, AppInstance);
        EXPECT_EQ(result, 0);
    }
    NMTTDISPINFOA logo = {};
    logo.hdr.code = TTN_NEEDTEXTA;
    logo.hdr.idFrom = (UINT_PTR)GetDlgItem(gWindow, IDC_LOGO);
    logo.uFlags = TTF_IDISHWND;
    LRESULT result = 1;
    char fixed[80];
    LoadStringA(AppInstance, IDS_TIP_LOGO, fixed, sizeof(fixed));
    EXPECT_TRUE(HandleSkinMessage(gWindow, WM_NOTIFY, 0, (LPARAM)&logo, &result));
    EXPECT_STREQ(logo.lpszText, fixed);
    EXPECT_EQ(logo.lpszText, logo.szText);
}

// ---- Banner --------------------------------------------------------------------

class Banner : public LoginSkin {
protected:
    void SetUp() override {
        ASSERT_TRUE(CreateSettingsRoot(TRUE, kKey));
        DeleteSettingsRoot(TRUE);
        ASSERT_TRUE(CreateSettingsRoot(TRUE, kKey));
        CopyText(Current.StartUpUrl, "http://start.example/", sizeof(Current.StartUpUrl));
        GetTempPathA(sizeof(DataDirectory), DataDirectory);
        gState.NextAdNumber = -1;
        gState.LastAdTick = 0;
        CopyText(gState.BannerUrl, Current.StartUpUrl, sizeof(gState.BannerUrl));
        DibImageLoadResource(&gState.BannerImage, IDB_BANNER);
    }
    void TearDown() override {
        DeleteSettingsRoot(TRUE);
        for (const std::string &f : files_)
            DeleteFileA(f.c_str());
    }
    // An advertisement whose picture is `width` pixels wide, so that the
    // banner shows which one it holds.
    void AddAd(int n, const char *image, int width) {
        char key[64];
        wsprintfA(key, "Advertisement\\ad%d", n);
        char url[64];
        wsprintfA(url, "http://ad%d.example/", n);
        ASSERT_TRUE(WriteSettingText(TRUE, key, "Image", image));
        ASSERT_TRUE(WriteSettingText(TRUE, key, "URL", url));
        if (width) {
            gifmake::Picture p = gifmake::Pattern(width, 58, 64, n);
            gifmake::Bytes bytes = gifmake::MakeGif(p);
            std::string path = std::string(DataDirectory) + image;
            HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written;
            WriteFile(h, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
            CloseHandle(h);
            files_.push_back(path);
        }
    }
    std::vector<std::string> files_;
};

TEST_F(Banner, RotatesThroughTheListAndWraps) {
    AddAd(1, "tvad1.gif", 201);
    AddAd(2, "tvad2.gif", 202);
    AddAd(3, "tvad3.gif", 203);
    struct Step { LONG width; const char *url; };
    const Step steps[] = {{201, "http://ad1.example/"}, {202, "http://ad2.example/"},
                          {203, "http://ad3.example/"}, {201, "http://ad1.example/"}};
    for (const Step &s : steps) {
        RotateBanner(gWindow);
        EXPECT_EQ(gState.BannerImage.width, s.width);
        EXPECT_STREQ(gState.BannerUrl, s.url);
        EXPECT_FALSE(BannerDue(gWindow));
        // the window palette: the skin's colours first, then the banner's
        std::vector<PALETTEENTRY> skin(gState.SkinImage.colorCount), merged(gState.Palette.colorCount);
        GetPaletteEntries(gState.SkinImage.palette, 0, (UINT)skin.size(), skin.data());
        GetPaletteEntries(gState.Palette.palette, 0, (UINT)merged.size(), merged.data());
        ASSERT_GE(merged.size(), skin.size());
        EXPECT_EQ(memcmp(skin.data(), merged.data(), skin.size() * sizeof(PALETTEENTRY)), 0);
    }
}

TEST_F(Banner, DueAfterFiveSecondsEitherWay) {
    RotateBanner(gWindow);
    DWORD now = GetTickCount();
    gState.LastAdTick = now - 4900;
    EXPECT_FALSE(BannerDue(gWindow));
    gState.LastAdTick = now - 5200;
    EXPECT_TRUE(BannerDue(gWindow));
    gState.LastAdTick = now + 6000;  // a clock that went back
    EXPECT_TRUE(BannerDue(gWindow));
    // a click sets LastAdTick: the next change is a full period later
    gState.LastAdTick = GetTickCount();
    EXPECT_FALSE(BannerDue(gWindow));
}

TEST_F(Banner, OneAdIsLoadedOnceAndBrokenOnesShowTheBuiltInBanner) {
    AddAd(1, "tvad1.gif", 210);
    RotateBanner(gWindow);
    HGLOBAL shown = gState.BannerImage.data;
    EXPECT_EQ(gState.BannerImage.width, 210);
    RotateBanner(gWindow);
    RotateBanner(gWindow);
    EXPECT_EQ(gState.BannerImage.data, shown) << "not reloaded";

    AddAd(2, "missing.gif", 0);
    RotateBanner(gWindow);
    EXPECT_NE(gState.BannerImage.resource, nullptr);
    EXPECT_EQ(gState.BannerImage.width, 221);
    EXPECT_STREQ(gState.BannerUrl, "http://start.example/");
}

TEST_F(Banner, NoAdvertisementsShowTheBuiltInBannerForever) {
    for (int i = 0; i < 3; i++) {
        RotateBanner(gWindow);
        EXPECT_EQ(gState.NextAdNumber, 0);
        EXPECT_NE(gState.BannerImage.resource, nullptr);
        EXPECT_EQ(gState.BannerImage.width, 221);
        EXPECT_EQ(gState.BannerImage.height, 58);
        EXPECT_STREQ(gState.BannerUrl, "http://start.example/");
    }
    // an image name of 32 characters or more ends the list before it
    gState.NextAdNumber = -1;
    AddAd(1, "an-image-name-of-32-characters.g", 0);
    RotateBanner(gWindow);
    EXPECT_EQ(gState.NextAdNumber, 0);
}

}  // namespace
