#include "helpers/module_ini.h"

namespace {

constexpr std::size_t kProfileBuffer = 256;
constexpr std::uint32_t kRegistryBuffer = 1024;
constexpr std::uint32_t kNameBuffer = 256;
constexpr int kShowNormal = 1;

std::string upToZero(const std::string& text) { return text.substr(0, text.find('\0')); }

// Opens root\path for one operation and always closes it again.
class OpenKey {
public:
    OpenKey(platform::Registry& registry, std::uint32_t root, const std::string& path)
        : registry_(registry), result_(registry.openKey(root, path, key_)) {}
    ~OpenKey() {
        if (result_ == platform::ERROR_SUCCESS_) registry_.closeKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    long result() const { return result_; }
    bool ok() const { return result_ == platform::ERROR_SUCCESS_; }
    platform::RegKey key() const { return key_; }

private:
    platform::Registry& registry_;
    platform::RegKey key_ = 0;
    long result_;
};

} // namespace

std::string ModuleIni::iniRead(const std::string& section, const std::string& key) {
    return upToZero(p_.profiles.getString(section, key, "no ent", kProfileBuffer, iniFile));
}

void ModuleIni::iniWrite(const std::string& section, const std::string& key,
                         const std::string& value) {
    p_.profiles.writeString(section, key, value, iniFile);
}

std::string ModuleIni::regRead(std::uint32_t root, const std::string& path,
                               const std::string& name) {
    OpenKey key(p_.registry, root, path);
    if (!key.ok()) return "err";
    std::uint32_t type = 0;
    std::string data;
    if (p_.registry.queryValue(key.key(), name, type, data, kRegistryBuffer) != 0) return "err";
    return upToZero(data);
}

std::optional<std::int32_t> ModuleIni::regReadDword(std::uint32_t root, const std::string& path,
                                                    const std::string& name) {
    OpenKey key(p_.registry, root, path);
    if (!key.ok()) return std::nullopt;
    std::uint32_t type = 0;
    std::string data;
    if (p_.registry.queryValue(key.key(), name, type, data, 4) != 0 || data.size() != 4)
        return std::nullopt;
    std::uint32_t number = 0;
    for (std::size_t i = 0; i < 4; ++i)
        number |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
    return static_cast<std::int32_t>(number);
}

std::string ModuleIni::regEnum(std::uint32_t root, const std::string& path, std::uint32_t index) {
    OpenKey key(p_.registry, root, path);
    if (!key.ok()) return "err";
    std::string name;
    if (p_.registry.enumKey(key.key(), index, name) != 0) return "err";
    return upToZero(name);
}

long ModuleIni::regWriteSz(std::uint32_t root, const std::string& path, const std::string& name,
                           const std::string& text) {
    OpenKey key(p_.registry, root, path);
    if (!key.ok()) return key.result();
    return p_.registry.setValue(key.key(), name, platform::REG_SZ_, text + '\0');
}

long ModuleIni::regWriteDword(std::uint32_t root, const std::string& path,
                              const std::string& name, std::int32_t number) {
    OpenKey key(p_.registry, root, path);
    if (!key.ok()) return key.result();
    const auto bits = static_cast<std::uint32_t>(number);
    std::string data(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) data[i] = static_cast<char>((bits >> (8 * i)) & 0xFFu);
    return p_.registry.setValue(key.key(), name, platform::REG_DWORD_, data);
}

long ModuleIni::regDelete(std::uint32_t root, const std::string& path, const std::string& name) {
    OpenKey key(p_.registry, root, path);
    if (!key.ok()) return key.result();
    return p_.registry.deleteValue(key.key(), name);
}

std::string ModuleIni::userName() {
    std::string name;
    if (!p_.system.userName(name, kNameBuffer)) return {};
    return upToZero(name);
}

std::string ModuleIni::appDir() {
    std::string dir = p_.process.programDirectory();
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    return dir;
}

std::optional<std::uint32_t> ModuleIni::winMajor() {
    platform::VersionInfo info;
    if (!p_.system.version(info)) return std::nullopt;
    return info.major;
}

void ModuleIni::shellOpen(platform::WindowHandle owner, const std::string& target) {
    p_.shell.shellExecute(owner, "", target, "", "", kShowNormal);
}

std::string ModuleIni::winDir() {
    std::string dir;
    if (!p_.system.windowsDirectory(dir, kNameBuffer)) return {};
    dir = upToZero(dir);
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
}
