/* Service-data import, still to be filled in: the member's settings are
 * loaded with their defaults so the windows have something to show. */
#include "dialer/core/app.h"
#include "dialer/core/current.h"
#include "dialer/servicedata/servicedata.h"

void ImportServiceData(void)
{
    ReadUserText(NULL, SettingName(SET_STARTUPURL), Current.StartUpUrl, sizeof(Current.StartUpUrl));
    Current.BrowserType = BROWSER_NONE;
    Current.PlusUser = 1;
    ReadUserNumber(NULL, SettingName(SET_SAVEPASSWORD), &Current.SavePassword);
    Current.SavePassword = Current.SavePassword ? 1 : 0;
    ReadUserNumber(NULL, SettingName(SET_ACTEMAIL), &Current.ActEmail);
    ReadUserText(NULL, SettingName(SET_AREA), Current.Area, sizeof(Current.Area));
    ReadUserText(NULL, SettingName(SET_DIALPREFIX), Current.DialPrefix, sizeof(Current.DialPrefix));
    ReadUserText(NULL, SettingName(SET_DIALAREA), Current.DialArea, sizeof(Current.DialArea));
    ReadUserText(NULL, SettingName(SET_DIALNUMBER), Current.DialNumber, sizeof(Current.DialNumber));
    ReadUserNumber(NULL, SettingName(SET_DIALFLAG), &Current.DialFlag);
    ReadUserText(NULL, SettingName(SET_MODEM), Current.Modem, sizeof(Current.Modem));
}
