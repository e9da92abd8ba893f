#pragma once
#include "platform/user_store.h"

namespace w32 {

// REG_SZ values under HKEY_CURRENT_USER\Software\<app>\<section>.
class Win32UserStore : public platform::UserStore {
public:
    std::string get(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& def) override;
    bool set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;
};

} // namespace w32
