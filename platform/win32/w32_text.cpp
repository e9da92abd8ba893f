#include "platform/win32/w32_text.h"

#include <windows.h>

namespace w32 {

namespace {

bool plainAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

std::wstring toWide(UINT codePage, const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, out.data(), needed);
    return out;
}

std::string fromWide(UINT codePage, const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

} // namespace

std::wstring widen(const std::string& utf8) { return toWide(CP_UTF8, utf8); }
std::string narrow(const std::wstring& wide) { return fromWide(CP_UTF8, wide); }

std::string toAnsi(const std::string& utf8) {
    return plainAscii(utf8) ? utf8 : fromWide(CP_ACP, toWide(CP_UTF8, utf8));
}

std::string fromAnsi(const std::string& ansi) {
    return plainAscii(ansi) ? ansi : fromWide(CP_UTF8, toWide(CP_ACP, ansi));
}

} // namespace w32
