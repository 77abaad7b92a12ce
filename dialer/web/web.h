/* Opening pages in the member's browser and starting the mail program. */
#ifndef TOVA_WEB_H
#define TOVA_WEB_H

#include <windows.h>

BOOL OpenPage(const char *url);
BOOL StartMailProgram(void);
void ShutdownBrowserClient(void);

#endif
