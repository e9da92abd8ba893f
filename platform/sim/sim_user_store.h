#pragma once
#include <map>
#include <string>

#include "platform/user_store.h"

namespace sim {

// Values by application, section and key, names without regard to case.
class SimUserStore : public platform::UserStore {
public:
    std::string get(const std::string& app, const std::string& section, const std::string& key,
                    const std::string& def) override;
    bool set(const std::string& app, const std::string& section, const std::string& key,
             const std::string& value) override;

    bool failWrites = false;
    std::map<std::string, std::string> values; // by "app\section\key", lower case
};

} // namespace sim
