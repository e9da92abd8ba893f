#include "platform/sim/sim_registry.h"

#include <algorithm>
#include <string_view>

#include "platform/sim/sim_text.h"

namespace sim {

using namespace platform;

struct SimRegistry::Node {
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::string bytes;
    };
    std::string name;
    std::vector<std::unique_ptr<Node>> children; // kept sorted
    std::vector<Value> values;
    bool denied = false;

    Node* child(std::string_view n) const {
        for (const auto& c : children)
            if (equalsNoCase(c->name, n)) return c.get();
        return nullptr;
    }
    Node* addChild(std::string_view n) {
        auto created = std::make_unique<Node>();
        created->name = std::string(n);
        const std::string folded = lowerAscii(n);
        auto at = std::find_if(children.begin(), children.end(),
                               [&](const auto& c) { return lowerAscii(c->name) > folded; });
        return children.insert(at, std::move(created))->get();
    }
    Value* findValue(std::string_view n) {
        for (auto& v : values)
            if (equalsNoCase(v.name, n)) return &v;
        return nullptr;
    }
};

namespace {

constexpr long kBadPathname = 161;

std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const auto slash = path.find('\\');
        if (slash != 0) parts.push_back(path.substr(0, slash));
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return parts;
}

} // namespace

SimRegistry::SimRegistry() {
    for (auto& r : roots_) r = std::make_unique<Node>();
}

SimRegistry::~SimRegistry() = default;

SimRegistry::Node* SimRegistry::find(std::uint32_t root, const std::string& path,
                                     long& error) const {
    if (root < HKEY_CLASSES_ROOT_ || root > HKEY_USERS_) {
        error = ERROR_INVALID_HANDLE_;
        return nullptr;
    }
    if (!path.empty() && path.front() == '\\') {
        error = kBadPathname;
        return nullptr;
    }
    Node* at = roots_[root - HKEY_CLASSES_ROOT_].get();
    for (auto part : components(path)) {
        at = at->child(part);
        if (at == nullptr) {
            error = ERROR_FILE_NOT_FOUND_;
            return nullptr;
        }
    }
    error = ERROR_SUCCESS_;
    return at;
}

SimRegistry::Node* SimRegistry::make(std::uint32_t root, const std::string& path) {
    if (root < HKEY_CLASSES_ROOT_ || root > HKEY_USERS_) return nullptr;
    Node* at = roots_[root - HKEY_CLASSES_ROOT_].get();
    for (auto part : components(path)) {
        Node* next = at->child(part);
        at = next != nullptr ? next : at->addChild(part);
    }
    return at;
}

SimRegistry::Node* SimRegistry::node(RegKey key) const {
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : it->second;
}

long SimRegistry::openKey(std::uint32_t root, const std::string& subkey, RegKey& key) {
    long error = 0;
    Node* n = find(root, subkey, error);
    if (n == nullptr) return error;
    key = nextHandle_;
    nextHandle_ += 4;
    handles_[key] = n;
    return ERROR_SUCCESS_;
}

long SimRegistry::queryValue(RegKey key, const std::string& name, std::uint32_t& type,
                             std::string& data, std::uint32_t capacity) {
    Node* n = node(key);
    if (n == nullptr) return ERROR_INVALID_HANDLE_;
    auto* v = n->findValue(name);
    if (v == nullptr) return ERROR_FILE_NOT_FOUND_;
    type = v->type;
    if (v->bytes.size() > capacity) return ERROR_MORE_DATA_;
    data = v->bytes;
    return ERROR_SUCCESS_;
}

long SimRegistry::enumKey(RegKey key, std::uint32_t index, std::string& name) {
    Node* n = node(key);
    if (n == nullptr) return ERROR_INVALID_HANDLE_;
    if (index >= n->children.size()) return ERROR_NO_MORE_ITEMS_;
    name = n->children[index]->name;
    return ERROR_SUCCESS_;
}

long SimRegistry::setValue(RegKey key, const std::string& name, std::uint32_t type,
                           const std::string& data) {
    Node* n = node(key);
    if (n == nullptr) return ERROR_INVALID_HANDLE_;
    if (n->denied) return ERROR_ACCESS_DENIED_;
    if (auto* v = n->findValue(name)) {
        v->type = type;
        v->bytes = data;
    } else {
        n->values.push_back({name, type, data});
    }
    return ERROR_SUCCESS_;
}

long SimRegistry::deleteValue(RegKey key, const std::string& name) {
    Node* n = node(key);
    if (n == nullptr) return ERROR_INVALID_HANDLE_;
    if (n->denied) return ERROR_ACCESS_DENIED_;
    auto it = std::find_if(n->values.begin(), n->values.end(),
                           [&](const auto& v) { return equalsNoCase(v.name, name); });
    if (it == n->values.end()) return ERROR_FILE_NOT_FOUND_;
    n->values.erase(it);
    return ERROR_SUCCESS_;
}

long SimRegistry::closeKey(RegKey key) {
    return handles_.erase(key) != 0 ? ERROR_SUCCESS_ : ERROR_INVALID_HANDLE_;
}

bool SimRegistry::createKey(std::uint32_t root, const std::string& path) {
    return make(root, path) != nullptr;
}

bool SimRegistry::putValue(std::uint32_t root, const std::string& path, const std::string& name,
                           std::uint32_t type, const std::string& bytes) {
    Node* n = make(root, path);
    if (n == nullptr) return false;
    if (auto* v = n->findValue(name)) {
        v->type = type;
        v->bytes = bytes;
    } else {
        n->values.push_back({name, type, bytes});
    }
    return true;
}

bool SimRegistry::putString(std::uint32_t root, const std::string& path, const std::string& name,
                            const std::string& text) {
    return putValue(root, path, name, REG_SZ_, text + '\0');
}

bool SimRegistry::putDword(std::uint32_t root, const std::string& path, const std::string& name,
                           std::uint32_t number) {
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i) bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFFu);
    return putValue(root, path, name, REG_DWORD_, bytes);
}

bool SimRegistry::denyWrites(std::uint32_t root, const std::string& path) {
    Node* n = make(root, path);
    if (n == nullptr) return false;
    n->denied = true;
    return true;
}

std::optional<std::pair<std::uint32_t, std::string>> SimRegistry::value(
    std::uint32_t root, const std::string& path, const std::string& name) const {
    long error = 0;
    Node* n = find(root, path, error);
    if (n == nullptr) return std::nullopt;
    auto* v = n->findValue(name);
    if (v == nullptr) return std::nullopt;
    return std::make_pair(v->type, v->bytes);
}

bool SimRegistry::hasKey(std::uint32_t root, const std::string& path) const {
    long error = 0;
    return find(root, path, error) != nullptr;
}

} // namespace sim
