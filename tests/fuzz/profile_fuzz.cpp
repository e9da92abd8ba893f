// Arbitrary bytes as a profile file: reading and writing must neither crash
// nor hang, and a written value must read back.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_profile_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sim::SimFileSystem files;
    files.addDrive('c');
    const std::string path = "c:\\fuzz.ini";
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    files.putFile(path, bytes);
    sim::SimProfileFiles profiles(files);
    // Names taken from the input, so that its own sections and keys are hit.
    const std::string section = bytes.substr(0, size % 7);
    const std::string key = bytes.substr(size / 2, size % 5);
    profiles.getString(section, key, "def", 256, path);
    profiles.getString("boot loader", "timeout", "", 1, path);
    profiles.writeString(section, key, "v1", path);
    profiles.writeString("new", "k", "v2", path);
    const bool plainNames = section.find_first_of("\r\n[]=") == std::string::npos &&
                            key.find_first_of("\r\n[]=") == std::string::npos;
    if (plainNames && profiles.getString(section, key, "", 256, path) != "v1") __builtin_trap();
    if (profiles.getString("NEW", "K", "", 256, path) != "v2") __builtin_trap();
    return 0;
}
