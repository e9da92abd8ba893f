#pragma once
#include "platform/profile_files.h"
#include "platform/sim/sim_file_system.h"

namespace sim {

// The profile calls' rules over files kept in a SimFileSystem: names match
// without regard to case and blanks, only the first section of a name
// counts, values come back trimmed and without one pair of matching quotes.
class SimProfileFiles : public platform::ProfileFiles {
public:
    explicit SimProfileFiles(SimFileSystem& files) : files_(files) {}
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& def, std::size_t bufferSize,
                          const std::string& file) override;
    bool writeString(const std::string& section, const std::string& key,
                     const std::string& value, const std::string& file) override;

private:
    SimFileSystem& files_;
};

} // namespace sim
