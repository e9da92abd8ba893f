#pragma once
#include <string>

namespace platform {

// Per-user string settings by application, section and key.
class UserStore {
public:
    virtual ~UserStore() = default;
    virtual std::string get(const std::string& app, const std::string& section,
                            const std::string& key, const std::string& def) = 0;
    virtual bool set(const std::string& app, const std::string& section,
                     const std::string& key, const std::string& value) = 0;
};

} // namespace platform
