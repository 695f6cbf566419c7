// A stand-in for a program that hangs somewhere on the desktop: it shows one top-level window, handles
// what is pending, and then stops taking messages. It ends by itself after two minutes, or when the
// scenario ends it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "VelmoraHungWindow";
    if (RegisterClassA(&windowClass) == 0) {
        return 1;
    }
    const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Hung window", WS_OVERLAPPEDWINDOW, 10,
                                        10, 200, 100, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
    Sleep(120000);
    return 0;
}
