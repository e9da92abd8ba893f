#include "platform/win32/w32_shell.h"

#include <windows.h>

#include "platform/win32/w32_text.h"

namespace w32 {

namespace {

// shell32 and winmm are loaded on first use: they are seldom needed, and
// loading them at start-up costs more than the rest of the start.
template <typename Function>
Function systemFunction(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module) module = LoadLibraryA(dll);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using PlaySoundAFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
constexpr std::intptr_t SE_ERR_DLLNOTFOUND_ = 32;

} // namespace

std::intptr_t Win32Shell::shellExecute(platform::WindowHandle owner, const std::string& verb,
                                       const std::string& file, const std::string& parameters,
                                       const std::string& directory, int showCommand) {
    const std::string v = toAnsi(verb), f = toAnsi(file), a = toAnsi(parameters),
                      d = toAnsi(directory);
    // An empty text means "none": the default verb, no arguments, no folder.
    const auto orNull = [](const std::string& s) { return s.empty() ? nullptr : s.c_str(); };
    const auto shellExecuteA = systemFunction<ShellExecuteAFunction>("shell32.dll", "ShellExecuteA");
    if (!shellExecuteA) return SE_ERR_DLLNOTFOUND_;
    HINSTANCE result = shellExecuteA(reinterpret_cast<HWND>(owner), orNull(v), f.c_str(),
                                     orNull(a), orNull(d), showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::startProcess(const std::string& commandLine, std::uint32_t& error) {
    std::wstring line = widen(commandLine);
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        error = GetLastError();
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

bool Win32Sound::playSound(const std::string& sound, std::uint32_t flags) {
    const auto playSoundA = systemFunction<PlaySoundAFunction>("winmm.dll", "PlaySoundA");
    if (!playSoundA) return false;
    const std::string name = toAnsi(sound);
    return playSoundA(name.empty() ? nullptr : name.c_str(), nullptr, flags) != FALSE;
}

} // namespace w32
