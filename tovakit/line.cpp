/* The remote-access ordinals, handed to the line backend. */
#include "tovakit.h"
#include "line.h"

#define SPEED_RECORD_SIZE 44
#define SPEED_BPS_OFFSET  20

static const LineBackend *Line(void)
{
    return SimulatedLine();
}

DWORD WINAPI TkDial(LPRASDIALEXTENSIONS ext, LPCSTR phoneBook, LPRASDIALPARAMSA params,
                    DWORD notifierType, LPVOID notifier, HRASCONN *handle)
{
    (void)ext;
    (void)phoneBook;
    if (!params || !handle || notifierType != 0)
        return ERROR_INVALID_PARAMETER;
    return Line()->Dial(params, (RASDIALFUNC)notifier, handle);
}

DWORD WINAPI TkGetConnectStatus(HRASCONN handle, LPRASCONNSTATUSA status)
{
    if (!status || status->dwSize != sizeof(RASCONNSTATUSA))
        return ERROR_INVALID_SIZE;
    return Line()->Status(handle, status);
}

DWORD WINAPI TkHangUp(HRASCONN handle)
{
    return Line()->HangUp(handle);
}

DWORD WINAPI TkGetLinkSpeed(HRASCONN handle, LPVOID record)
{
    BYTE *bytes = (BYTE *)record;
    DWORD size, bps = 0, rc;
    if (!bytes)
        return ERROR_INVALID_PARAMETER;
    CopyMemory(&size, bytes, sizeof(size));
    if (size != SPEED_RECORD_SIZE)
        return ERROR_INVALID_SIZE;
    rc = Line()->Speed(handle, &bps);
    if (rc == 0)
        CopyMemory(bytes + SPEED_BPS_OFFSET, &bps, sizeof(bps));
    return rc;
}

HRASCONN WINAPI TkFindConnection(LPCSTR name)
{
    return name ? Line()->Find(name) : NULL;
}
