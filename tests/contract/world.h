#pragma once
// The world a contract case runs in: the simulated Windows natively, the
// real one under Wine. Every case gets a fresh world and leaves nothing behind.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

class World {
public:
    virtual ~World() = default;
    virtual platform::Platform& platform() = 0;

    // A registry key of the world's own, under regRoot(); paths below are
    // relative to it.
    virtual std::uint32_t regRoot() = 0;
    virtual std::string regBase() = 0;
    virtual bool createKey(const std::string& path) = 0;
    virtual bool putValue(const std::string& path, const std::string& name, std::uint32_t type,
                          const std::string& bytes) = 0;
    // Makes the key refuse writes with 5; false where the world cannot.
    virtual bool denyWrites(const std::string& path) = 0;

    // An existing empty folder, without a trailing backslash.
    virtual std::string scratchDir() = 0;
    virtual bool putFile(const std::string& path, const std::string& bytes,
                         std::uint32_t attributes) = 0;

    // An application name for the per-user store that the world cleans up.
    virtual std::string userStoreApp() = 0;
    // Pretends the program runs from dir; false where the world cannot.
    virtual bool setProgramDirectory(const std::string& dir) = 0;
};

std::unique_ptr<World> makeWorld();
