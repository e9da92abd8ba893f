#pragma once
#include <string>

namespace w32 {

// Conversions at the Win32 boundary: UTF-8 inside, UTF-16 for the W calls,
// the ANSI code page for files and the registry. Invalid input is replaced,
// never refused.
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& wide);
std::string toAnsi(const std::string& utf8);
std::string fromAnsi(const std::string& ansi);

} // namespace w32
