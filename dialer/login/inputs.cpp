/* The login window's presentations: inputs enabled with the connect button
 * while idle, disabled with the cancel/disconnect button otherwise. */
#include "dialer/login/loginparts.h"
#include "resource.h"

static const int INPUT_IDS[] = {
    IDC_CONNECT, IDC_USERID, IDC_PASSWORD, IDC_SAVEPASSWORD, IDC_SETTINGS
};

void SetInputsEnabled(HWND window, BOOL enable)
{
    unsigned i;
    for (i = 0; i < sizeof(INPUT_IDS) / sizeof(INPUT_IDS[0]); i++)
        EnableWindow(GetDlgItem(window, INPUT_IDS[i]), enable);
    ShowWindow(GetDlgItem(window, IDC_CONNECT), enable ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(window, IDCANCEL), enable ? SW_HIDE : SW_SHOW);
    if (!enable)
        SetFocus(GetDlgItem(window, IDCANCEL));
}

void ShowIdle(HWND window)
{
    SetInputsEnabled(window, TRUE);
    SetLoginMenuState(window, FALSE);
}
