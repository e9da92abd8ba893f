#include "platform/win32/w32_file_system.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/w32_text.h"

namespace w32 {

namespace {

bool failed(std::uint32_t& error) {
    error = GetLastError();
    return false;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    ~FileHandle() {
        if (valid()) CloseHandle(h_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    // Closes now; false when the close failed.
    bool close() {
        const bool ok = CloseHandle(h_) != FALSE;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE h_;
};

} // namespace

std::uint32_t Win32FileSystem::getAttributes(const std::string& path) {
    return GetFileAttributesW(widen(path).c_str());
}

bool Win32FileSystem::setAttributes(const std::string& path, std::uint32_t attributes,
                                    std::uint32_t& error) {
    return SetFileAttributesW(widen(path).c_str(), attributes) != FALSE || failed(error);
}

bool Win32FileSystem::readFile(const std::string& path, std::string& bytes, std::uint32_t& error) {
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return failed(error);
    std::string out;
    char chunk[16384];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return failed(error);
        if (got == 0) break;
        out.append(chunk, got);
    }
    bytes = std::move(out);
    return true;
}

bool Win32FileSystem::writeNewFile(const std::string& path, const std::string& bytes,
                                   std::uint32_t& error) {
    if (bytes.size() > 0xFFFFFFFFu) {
        error = ERROR_INVALID_PARAMETER;
        return false;
    }
    FileHandle file(CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return failed(error);
    DWORD written = 0;
    bool ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                        nullptr) != FALSE;
    if (!ok) {
        error = GetLastError();
    } else if (written != bytes.size()) {
        ok = false;
        error = ERROR_DISK_FULL; // a short write sets no error of its own
    } else if (FlushFileBuffers(file.get()) == FALSE) {
        ok = false;
        error = GetLastError();
    }
    if (!file.close() && ok) {
        ok = false;
        error = GetLastError();
    }
    // A half-written file must not be taken for the new one.
    if (!ok) DeleteFileW(widen(path).c_str());
    return ok;
}

bool Win32FileSystem::moveReplace(const std::string& source, const std::string& target,
                                  std::uint32_t& error) {
    return MoveFileExW(widen(source).c_str(), widen(target).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE ||
           failed(error);
}

bool Win32FileSystem::deleteFile(const std::string& path, std::uint32_t& error) {
    return DeleteFileW(widen(path).c_str()) != FALSE || failed(error);
}

std::vector<std::string> Win32FileSystem::driveRoots() {
    char buffer[512] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof buffer - 1, buffer);
    std::vector<std::string> roots;
    if (length == 0 || length >= sizeof buffer) return roots;
    for (const char* at = buffer; *at != '\0'; at += strlen(at) + 1) {
        std::string root(at);
        for (char& c : root)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        roots.push_back(root);
    }
    return roots;
}

} // namespace w32
