#include "platform/sim/sim_file_system.h"

#include "platform/sim/sim_text.h"

namespace sim {

using namespace platform;

namespace {

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kPathNotFound = 3;
constexpr std::uint32_t kAccessDenied = 5;
constexpr std::uint32_t kFileExists = 80;

std::string normalise(const std::string& path) {
    std::string key = lowerAscii(path);
    for (char& c : key)
        if (c == '/') c = '\\';
    while (key.size() > 3 && key.back() == '\\') key.pop_back();
    if (key.size() == 2 && key[1] == ':') key += '\\';
    return key;
}

bool isRoot(const std::string& key) { return key.size() == 3 && key[1] == ':' && key[2] == '\\'; }

std::string parentOf(const std::string& key) {
    const auto slash = key.rfind('\\');
    if (slash == std::string::npos) return {};
    if (slash == 2 && key[1] == ':') return key.substr(0, 3);
    return key.substr(0, slash);
}

} // namespace

bool SimFileSystem::injected(Op op, std::uint32_t& error) {
    auto it = failures_.find(op);
    if (it == failures_.end() || it->second.second <= 0) return false;
    error = it->second.first;
    if (--it->second.second == 0) failures_.erase(it);
    return true;
}

bool SimFileSystem::isDirectory(const std::string& key) const {
    if (isRoot(key)) return drives_.count(key[0]) != 0;
    return directories_.count(key) != 0;
}

std::uint32_t SimFileSystem::parentError(const std::string& key) const {
    const std::string parent = parentOf(key);
    if (parent.empty() || isRoot(key)) return kPathNotFound;
    return isDirectory(parent) ? 0 : kPathNotFound;
}

std::uint32_t SimFileSystem::getAttributes(const std::string& path) {
    const std::string key = normalise(path);
    if (auto it = files_.find(key); it != files_.end()) return it->second.attributes;
    if (isDirectory(key)) return FILE_ATTRIBUTE_DIRECTORY_;
    return INVALID_FILE_ATTRIBUTES_;
}

bool SimFileSystem::setAttributes(const std::string& path, std::uint32_t attributes,
                                  std::uint32_t& error) {
    if (injected(Op::Attributes, error)) return false;
    const std::string key = normalise(path);
    auto it = files_.find(key);
    if (it == files_.end()) {
        if (isDirectory(key)) return true;
        error = parentError(key) != 0 ? kPathNotFound : kFileNotFound;
        return false;
    }
    constexpr std::uint32_t settable = FILE_ATTRIBUTE_READONLY_ | FILE_ATTRIBUTE_HIDDEN_ |
                                       FILE_ATTRIBUTE_SYSTEM_ | FILE_ATTRIBUTE_ARCHIVE_;
    const std::uint32_t kept = attributes & settable;
    it->second.attributes = kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL_;
    return true;
}

bool SimFileSystem::readFile(const std::string& path, std::string& bytes, std::uint32_t& error) {
    if (injected(Op::Open, error)) return false;
    const std::string key = normalise(path);
    auto it = files_.find(key);
    if (it == files_.end()) {
        error = isDirectory(key) ? kAccessDenied : (parentError(key) != 0 ? kPathNotFound : kFileNotFound);
        return false;
    }
    bytes = it->second.bytes;
    return true;
}

bool SimFileSystem::writeNewFile(const std::string& path, const std::string& bytes,
                                 std::uint32_t& error) {
    if (injected(Op::Open, error)) return false;
    const std::string key = normalise(path);
    if (files_.count(key) != 0 || isDirectory(key)) {
        error = kFileExists;
        return false;
    }
    if (const std::uint32_t e = parentError(key); e != 0) {
        error = e;
        return false;
    }
    // The file was created, the write failed and the file was removed again.
    if (injected(Op::Write, error)) return false;
    files_[key] = File{path, bytes, FILE_ATTRIBUTE_ARCHIVE_};
    return true;
}

bool SimFileSystem::overwrite(const std::string& path, const std::string& bytes,
                              std::uint32_t& error) {
    const std::string key = normalise(path);
    auto it = files_.find(key);
    if (it == files_.end()) return writeNewFile(path, bytes, error);
    if (injected(Op::Open, error)) return false;
    if ((it->second.attributes & FILE_ATTRIBUTE_READONLY_) != 0) {
        error = kAccessDenied;
        return false;
    }
    if (injected(Op::Write, error)) return false;
    it->second.bytes = bytes;
    return true;
}

bool SimFileSystem::moveReplace(const std::string& source, const std::string& target,
                                std::uint32_t& error) {
    if (injected(Op::Rename, error)) return false;
    const std::string from = normalise(source);
    const std::string to = normalise(target);
    auto src = files_.find(from);
    if (src == files_.end()) {
        error = parentError(from) != 0 ? kPathNotFound : kFileNotFound;
        return false;
    }
    if (from == to) return true;
    if (const std::uint32_t e = parentError(to); e != 0) {
        error = e;
        return false;
    }
    if (isDirectory(to)) {
        error = kAccessDenied;
        return false;
    }
    if (auto dst = files_.find(to);
        dst != files_.end() && (dst->second.attributes & FILE_ATTRIBUTE_READONLY_) != 0) {
        error = kAccessDenied;
        return false;
    }
    File moved = std::move(src->second);
    files_.erase(src);
    moved.path = target;
    files_[to] = std::move(moved);
    return true;
}

bool SimFileSystem::deleteFile(const std::string& path, std::uint32_t& error) {
    if (injected(Op::Delete, error)) return false;
    const std::string key = normalise(path);
    auto it = files_.find(key);
    if (it == files_.end()) {
        error = isDirectory(key) ? kAccessDenied : (parentError(key) != 0 ? kPathNotFound : kFileNotFound);
        return false;
    }
    if ((it->second.attributes & FILE_ATTRIBUTE_READONLY_) != 0) {
        error = kAccessDenied;
        return false;
    }
    files_.erase(it);
    return true;
}

std::vector<std::string> SimFileSystem::driveRoots() {
    std::vector<std::string> roots;
    for (char d : drives_) roots.push_back(std::string(1, d) + ":\\");
    return roots;
}

void SimFileSystem::addDrive(char letter) {
    drives_.insert(lowerAscii(std::string(1, letter))[0]);
}

void SimFileSystem::addDirectory(const std::string& path) {
    std::string key = normalise(path);
    while (!key.empty() && !isRoot(key)) {
        directories_.insert(key);
        key = parentOf(key);
    }
    if (isRoot(key)) drives_.insert(key[0]);
}

void SimFileSystem::putFile(const std::string& path, const std::string& bytes,
                            std::uint32_t attributes) {
    const std::string key = normalise(path);
    const std::string parent = parentOf(key);
    if (!parent.empty()) addDirectory(parent);
    files_[key] = File{path, bytes, attributes};
}

std::optional<std::string> SimFileSystem::contents(const std::string& path) const {
    auto it = files_.find(normalise(path));
    if (it == files_.end()) return std::nullopt;
    return it->second.bytes;
}

std::vector<std::string> SimFileSystem::listFiles() const {
    std::vector<std::string> out;
    for (const auto& [key, file] : files_) out.push_back(file.path);
    return out;
}

void SimFileSystem::failOn(Op op, std::uint32_t error, int count) {
    failures_[op] = {error, count};
}

} // namespace sim
