// Netbell's entry point.
#include <windows.h>

#include "app/win32/app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int)
{
    CNetbellApp app;
    if (!app.InitInstance(hInstance, lpCmdLine ? lpCmdLine : ""))
        return 0;
    return app.Run();
}
