/* The yardstick for the start-up and idle figures: the least a Win32
 * program with one top-level window does. With "timer" on its command line
 * it also redraws a label once a second, as a clock would. Built with
 * BARE_IMPORTS it also loads the DLLs Tarvic imports, to tell their cost
 * apart from the program's own work. */
#include <windows.h>
#include <string.h>
#ifdef BARE_IMPORTS
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#endif

#define LABEL_ID 100
#define TIMER_ID 1

static HWND label;

static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_TIMER: {
        WCHAR text[32];
        SYSTEMTIME now;
        GetLocalTime(&now);
        wsprintfW(text, L"%02u:%02u:%02u", now.wHour, now.wMinute, now.wSecond);
        SetWindowTextW(label, text);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    WNDCLASSW wc;
    HWND hwnd;
    MSG msg;
    (void)previous;

    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(NULL, MAKEINTRESOURCEW(32512)); /* IDC_ARROW */
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"BareWindow";
    if (!RegisterClassW(&wc)) return 1;

    hwnd = CreateWindowExW(0, L"BareWindow", L"BareWindow", WS_OVERLAPPEDWINDOW, 100, 100, 480, 360,
                           NULL, NULL, instance, NULL);
    if (hwnd == NULL) return 1;
    label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 16, 16, 200, 20, hwnd,
                            (HMENU)LABEL_ID, instance, NULL);
    if (commandLine != NULL && strstr(commandLine, "timer") != NULL) SetTimer(hwnd, TIMER_ID, 1000, NULL);
#ifdef BARE_IMPORTS
    InitCommonControls();
    /* Never asked for; keeps each DLL among the imports. */
    if (commandLine != NULL && strstr(commandLine, "call-imports") != NULL) {
        PlaySoundW(NULL, NULL, 0);
        ShellExecuteW(hwnd, NULL, L"", NULL, NULL, SW_SHOWNORMAL);
        RegCloseKey(HKEY_CURRENT_USER);
    }
#endif
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);

    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}
