#include "contract/world.h"

#include "platform/sim/sim_platform.h"

namespace {

class SimWorld : public World {
public:
    SimWorld() : platform_(sim_.platform()) { sim_.registry.createKey(regRoot(), regBase()); }
    platform::Platform& platform() override { return platform_; }
    std::uint32_t regRoot() override { return platform::HKEY_CURRENT_USER_; }
    std::string regBase() override { return "Software\\TarvicContract"; }
    bool createKey(const std::string& path) override {
        return sim_.registry.createKey(regRoot(), path);
    }
    bool putValue(const std::string& path, const std::string& name, std::uint32_t type,
                  const std::string& bytes) override {
        return sim_.registry.putValue(regRoot(), path, name, type, bytes);
    }
    bool denyWrites(const std::string& path) override {
        return sim_.registry.denyWrites(regRoot(), path);
    }
    std::string scratchDir() override {
        sim_.files.addDirectory("C:\\Temp\\contract");
        return "C:\\Temp\\contract";
    }
    bool putFile(const std::string& path, const std::string& bytes,
                 std::uint32_t attributes) override {
        sim_.files.putFile(path, bytes, attributes);
        return true;
    }
    std::string userStoreApp() override { return "TarvicContract"; }
    bool setProgramDirectory(const std::string& dir) override {
        sim_.process.directory = dir;
        return true;
    }

private:
    sim::SimPlatform sim_;
    platform::Platform platform_;
};

} // namespace

std::unique_ptr<World> makeWorld() { return std::make_unique<SimWorld>(); }
