#include "contract/world.h"

#include <windows.h>

#include <vector>

#include "platform/win32/w32_platform.h"

namespace {

HKEY hkcu() { return HKEY_CURRENT_USER; }

void deleteTree(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char child[256];
        while (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS) {
            const std::string before = child;
            deleteTree(key, before);
            if (RegEnumKeyA(key, 0, child, sizeof child) == ERROR_SUCCESS && before == child) break;
        }
        RegCloseKey(key);
    }
    RegDeleteKeyA(parent, name.c_str());
}

// Lets everyone read the key and nobody write it.
bool setReadOnlyAcl(HKEY key) {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID everyone = nullptr;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone))
        return false;
    alignas(8) unsigned char aclBytes[256] = {};
    auto* acl = reinterpret_cast<PACL>(aclBytes);
    SECURITY_DESCRIPTOR sd;
    const bool ok = InitializeAcl(acl, sizeof aclBytes, ACL_REVISION) &&
                    AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
                    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION) &&
                    SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE) &&
                    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
    FreeSid(everyone);
    return ok;
}

void openUp(HKEY key) {
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, nullptr, FALSE);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &sd);
}

class Win32World : public World {
public:
    Win32World() : platform_(real_.platform()) {
        static int counter = 0;
        unique_ = std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        base_ = "Software\\TarvicContract\\" + unique_;
        HKEY key = nullptr;
        if (RegCreateKeyA(hkcu(), base_.c_str(), &key) == ERROR_SUCCESS) RegCloseKey(key);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        dir_ = std::string(temp) + "tvc_" + unique_;
        CreateDirectoryA(dir_.c_str(), nullptr);
    }
    ~Win32World() override {
        for (const auto& path : denied_) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(hkcu(), path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
                openUp(key);
                RegCloseKey(key);
            }
        }
        deleteTree(hkcu(), base_);
        HKEY parent = nullptr;
        if (RegOpenKeyA(hkcu(), "Software\\TarvicContract", &parent) == ERROR_SUCCESS) {
            char child[256];
            const bool empty = RegEnumKeyA(parent, 0, child, sizeof child) != ERROR_SUCCESS;
            RegCloseKey(parent);
            if (empty) RegDeleteKeyA(hkcu(), "Software\\TarvicContract");
        }
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((dir_ + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string file = dir_ + "\\" + found.cFileName;
                SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(file.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(dir_.c_str());
    }

    platform::Platform& platform() override { return platform_; }
    std::uint32_t regRoot() override { return platform::HKEY_CURRENT_USER_; }
    std::string regBase() override { return base_; }
    bool createKey(const std::string& path) override {
        HKEY key = nullptr;
        if (RegCreateKeyA(hkcu(), path.c_str(), &key) != ERROR_SUCCESS) return false;
        RegCloseKey(key);
        return true;
    }
    bool putValue(const std::string& path, const std::string& name, std::uint32_t type,
                  const std::string& bytes) override {
        HKEY key = nullptr;
        if (RegCreateKeyA(hkcu(), path.c_str(), &key) != ERROR_SUCCESS) return false;
        const LONG r = RegSetValueExA(key, name.c_str(), 0, type,
                                      reinterpret_cast<const BYTE*>(bytes.data()),
                                      static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
        return r == ERROR_SUCCESS;
    }
    bool denyWrites(const std::string& path) override {
        HKEY key = nullptr;
        if (RegCreateKeyA(hkcu(), path.c_str(), &key) != ERROR_SUCCESS) return false;
        const bool ok = setReadOnlyAcl(key);
        RegCloseKey(key);
        if (ok) denied_.push_back(path);
        return ok;
    }
    std::string scratchDir() override { return dir_; }
    bool putFile(const std::string& path, const std::string& bytes,
                 std::uint32_t attributes) override {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        const bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                  nullptr) != FALSE;
        CloseHandle(h);
        return ok && SetFileAttributesA(path.c_str(), attributes) != FALSE;
    }
    std::string userStoreApp() override { return "TarvicContract\\" + unique_; }
    bool setProgramDirectory(const std::string&) override { return false; }

private:
    w32::Win32Platform real_;
    platform::Platform platform_;
    std::string unique_, base_, dir_;
    std::vector<std::string> denied_;
};

} // namespace

std::unique_ptr<World> makeWorld() { return std::make_unique<Win32World>(); }
