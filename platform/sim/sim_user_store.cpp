#include "platform/sim/sim_user_store.h"

#include "platform/sim/sim_text.h"

namespace sim {

namespace {
std::string path(const std::string& app, const std::string& section, const std::string& key) {
    return lowerAscii(app + "\\" + section + "\\" + key);
}
} // namespace

std::string SimUserStore::get(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& def) {
    auto it = values.find(path(app, section, key));
    return it == values.end() ? def : it->second;
}

bool SimUserStore::set(const std::string& app, const std::string& section, const std::string& key,
                       const std::string& value) {
    if (failWrites) return false;
    values[path(app, section, key)] = value;
    return true;
}

} // namespace sim
