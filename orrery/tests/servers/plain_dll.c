/* orrery_plain.dll: a DLL without self-registration entry points. */
#include <windows.h>

int WINAPI PlainFunction(int value)
{
    return value + 1;
}
