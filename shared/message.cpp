/* Message boxes built from string resources, and the text helpers behind
 * them. MessageBoxIndirect loads resource texts itself when it is given ids,
 * so the member sees them exactly as the resource holds them. */
#include <stdarg.h>
#include "shared/message.h"
#include "shared/settings.h"

HINSTANCE AppInstance;

int ShowMessage(HWND owner, LPCSTR text, LPCSTR caption, UINT style, DWORD helpId)
{
    MSGBOXPARAMSA box;
    ZeroMemory(&box, sizeof(box));
    box.cbSize = sizeof(box);
    box.hwndOwner = owner;
    box.hInstance = AppInstance;
    box.lpszText = text;
    box.lpszCaption = caption;
    box.dwStyle = style;
    box.dwContextHelpId = helpId;
    box.dwLanguageId = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    return MessageBoxIndirectA(&box);
}

int ShowMessageId(HWND owner, UINT textId, UINT captionId, UINT style)
{
    return ShowMessage(owner, MAKEINTRESOURCEA(textId), MAKEINTRESOURCEA(captionId), style, 0);
}

char *LoadText(UINT id, char *buffer, int size)
{
    if (!buffer)
        return buffer;
    if (size <= 0)
        size = TEXT_SIZE;
    buffer[0] = 0;
    if (LoadStringA(AppInstance, id, buffer, size) <= 0)
        buffer[0] = 0;
    return buffer;
}

int FormatText(char *buffer, int size, UINT id, ...)
{
    char format[FORMAT_SOURCE];
    char output[FORMAT_OUTPUT];
    va_list args;
    int len;

    if (!buffer || size <= 0)
        return 0;
    LoadText(id, format, sizeof(format));
    va_start(args, id);
    len = wvsprintfA(output, format, args);
    va_end(args);
    if (len < 0)
        len = 0;
    output[sizeof(output) - 1] = 0;
    CopyText(buffer, output, size);
    return lstrlenA(buffer);
}
