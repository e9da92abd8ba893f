#include "platform/win32/w32_process.h"

#include <windows.h>

#include <string_view>

#include "platform/win32/w32_command_line.h"
#include "platform/win32/w32_text.h"

namespace w32 {

namespace {

std::wstring modulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool windows2000OrLater() {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExA(&info) && info.dwMajorVersion >= 5;
}

} // namespace

bool Win32Process::claimSingleInstance(const std::string& name) {
    const std::string full = (windows2000OrLater() ? "Local\\" : "") + toAnsi(name);
    HANDLE mutex = CreateMutexA(nullptr, FALSE, full.c_str());
    if (mutex == nullptr) return true; // no way to tell: let this copy run
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    return true; // the handle is left open on purpose: it is the claim
}

std::string Win32Process::programDirectory() {
    const std::wstring path = modulePath();
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return {};
    // A drive root keeps its backslash, as Windows writes "C:\".
    const bool root = slash == 2 && path[1] == L':';
    return narrow(path.substr(0, root ? slash + 1 : slash));
}

std::string Win32Process::programFileName() {
    const std::wstring path = modulePath();
    return narrow(path.substr(path.rfind(L'\\') + 1));
}

platform::ProgramVersion Win32Process::version() {
    platform::ProgramVersion result;
    // version.dll is loaded here only, so that nothing else pays for it.
    HMODULE library = LoadLibraryW(L"version.dll");
    if (library == nullptr) return result;
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);
    const auto size = reinterpret_cast<SizeFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetFileVersionInfoSizeW")));
    const auto info = reinterpret_cast<InfoFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "GetFileVersionInfoW")));
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(library, "VerQueryValueW")));
    const std::wstring path = modulePath();
    DWORD handle = 0;
    const DWORD length = size != nullptr ? size(path.c_str(), &handle) : 0;
    if (length != 0 && info != nullptr && query != nullptr) {
        std::string block(length, '\0');
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixedLength = 0;
        if (info(path.c_str(), 0, length, block.data()) &&
            query(block.data(), L"\\", reinterpret_cast<LPVOID*>(&fixed), &fixedLength) &&
            fixed != nullptr && fixedLength >= sizeof(VS_FIXEDFILEINFO)) {
            result.major = static_cast<int>(HIWORD(fixed->dwFileVersionMS));
            result.minor = static_cast<int>(LOWORD(fixed->dwFileVersionMS));
            result.revision = static_cast<int>(LOWORD(fixed->dwFileVersionLS));
        }
    }
    FreeLibrary(library);
    return result;
}

std::string Win32Process::commandLine() {
    const wchar_t* line = GetCommandLineW();
    if (line == nullptr) return {};
    return narrow(std::wstring(argumentsAfterProgram(std::wstring_view(line))));
}

void Win32Process::exitNow(int code) { ExitProcess(static_cast<UINT>(code)); }

bool Win32Process::setCurrentDirectory(const std::string& path) {
    return SetCurrentDirectoryW(widen(path).c_str()) != FALSE;
}

} // namespace w32
