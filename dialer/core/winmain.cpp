/* Entry point of Tovalink. */
#include "dialer/core/app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand)
{
    (void)previous;
    return RunDialer(instance, commandLine, showCommand);
}
