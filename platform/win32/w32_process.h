#pragma once
#include "platform/process.h"

namespace w32 {

class Win32Process : public platform::Process {
public:
    // A named mutex, in the session's Local\ namespace from Windows 2000 on
    // (NT 4.0 has none); it stays open until the process ends.
    bool claimSingleInstance(const std::string& name) override;
    std::string programDirectory() override;
    std::string programFileName() override;
    // FILEVERSION of the executable's version resource; 0.0.0 without one.
    platform::ProgramVersion version() override;
    std::string commandLine() override;
    void exitNow(int code) override;
    bool setCurrentDirectory(const std::string& path) override;
};

} // namespace w32
