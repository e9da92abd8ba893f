#pragma once
#include <string>

namespace platform {

struct ProgramVersion {
    int major = 0, minor = 0, revision = 0;
};

class Process {
public:
    virtual ~Process() = default;
    // True when no other copy holds the instance named name in this session;
    // the claim lasts until the process ends.
    virtual bool claimSingleInstance(const std::string& name) = 0;
    // Directory of the running program, as Windows gives it.
    virtual std::string programDirectory() = 0;
    virtual std::string programFileName() = 0;
    virtual ProgramVersion version() = 0;
    // The arguments after the program name.
    virtual std::string commandLine() = 0;
    // Ends the process at once, without any unload handling. The real one
    // never returns; the simulated one records the end and returns, so the
    // caller returns straight after calling it.
    virtual void exitNow(int code) = 0;
    virtual bool setCurrentDirectory(const std::string& path) = 0;
};

} // namespace platform
