#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registry.h"

namespace sim {

// The four predefined roots as a tree in memory. Subkeys enumerate in
// alphabetical order without regard to case, as the real registry lists them.
class SimRegistry : public platform::Registry {
public:
    SimRegistry();
    ~SimRegistry() override;

    long openKey(std::uint32_t root, const std::string& subkey, platform::RegKey& key) override;
    long queryValue(platform::RegKey key, const std::string& name, std::uint32_t& type,
                    std::string& data, std::uint32_t capacity) override;
    long enumKey(platform::RegKey key, std::uint32_t index, std::string& name) override;
    long setValue(platform::RegKey key, const std::string& name, std::uint32_t type,
                  const std::string& data) override;
    long deleteValue(platform::RegKey key, const std::string& name) override;
    long closeKey(platform::RegKey key) override;

    // Setup and inspection for tests; keys are created as needed.
    bool createKey(std::uint32_t root, const std::string& path);
    bool putValue(std::uint32_t root, const std::string& path, const std::string& name,
                  std::uint32_t type, const std::string& bytes);
    bool putString(std::uint32_t root, const std::string& path, const std::string& name,
                   const std::string& text);
    bool putDword(std::uint32_t root, const std::string& path, const std::string& name,
                  std::uint32_t number);
    // setValue and deleteValue on this key answer 5 and change nothing.
    bool denyWrites(std::uint32_t root, const std::string& path);
    std::optional<std::pair<std::uint32_t, std::string>> value(std::uint32_t root,
                                                               const std::string& path,
                                                               const std::string& name) const;
    bool hasKey(std::uint32_t root, const std::string& path) const;
    // Handles opened and not closed yet; every helper must close its key.
    std::size_t openKeyCount() const { return handles_.size(); }

private:
    struct Node;
    Node* find(std::uint32_t root, const std::string& path, long& error) const;
    Node* make(std::uint32_t root, const std::string& path);
    Node* node(platform::RegKey key) const;

    std::unique_ptr<Node> roots_[4];
    std::map<platform::RegKey, Node*> handles_;
    platform::RegKey nextHandle_ = 0x1000;
};

} // namespace sim
