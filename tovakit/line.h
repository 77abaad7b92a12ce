/* The line behind the remote-access ordinals. The simulator is the one
 * backend built now; a backend on the system's remote-access service plugs
 * in behind the same table. */
#ifndef TOVAKIT_LINE_H
#define TOVAKIT_LINE_H

#include <windows.h>
#include <ras.h>

struct LineBackend {
    DWORD (*Dial)(LPRASDIALPARAMSA params, RASDIALFUNC notifier, HRASCONN *handle);
    DWORD (*Status)(HRASCONN handle, LPRASCONNSTATUSA status);
    DWORD (*HangUp)(HRASCONN handle);
    DWORD (*Speed)(HRASCONN handle, DWORD *bitsPerSecond);
    HRASCONN (*Find)(LPCSTR entryName);
};

const LineBackend *SimulatedLine(void);

#endif
