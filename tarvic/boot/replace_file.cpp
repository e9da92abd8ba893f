#include "tarvic/boot/replace_file.h"

namespace tarvic {
namespace {

using namespace platform;

constexpr std::uint32_t kFileNotFound = 2;
constexpr std::uint32_t kFileExists = 80;
constexpr std::uint32_t kAlreadyExists = 183;
constexpr int kNameTries = 100;

// What SetFileAttributes accepts; GetFileAttributes also reports others.
constexpr std::uint32_t kSettable = FILE_ATTRIBUTE_READONLY_ | FILE_ATTRIBUTE_HIDDEN_ |
                                    FILE_ATTRIBUTE_SYSTEM_ | FILE_ATTRIBUTE_ARCHIVE_ | 0x100u |
                                    0x1000u | 0x2000u;
constexpr std::uint32_t kBlocking =
    FILE_ATTRIBUTE_READONLY_ | FILE_ATTRIBUTE_HIDDEN_ | FILE_ATTRIBUTE_SYSTEM_;

ReplaceResult failed(const char* step, std::uint32_t error) { return {false, error, step}; }

std::uint32_t settable(std::uint32_t attributes)
{
    const std::uint32_t kept = attributes & kSettable;
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL_;
}

bool sameAttributes(std::uint32_t a, std::uint32_t b) { return settable(a) == settable(b); }

// Best effort: the caller reports the step that failed, not the clean-up.
void removeTemporary(FileSystem& fs, const std::string& temp)
{
    std::uint32_t ignored = 0;
    const std::uint32_t a = fs.getAttributes(temp);
    if (a == INVALID_FILE_ATTRIBUTES_)
        return;
    if ((a & FILE_ATTRIBUTE_READONLY_) != 0)
        fs.setAttributes(temp, FILE_ATTRIBUTE_NORMAL_, ignored);
    fs.deleteFile(temp, ignored);
}

std::string temporaryName(const std::string& path, int attempt)
{
    std::string name = path + ".tarvic-new";
    if (attempt > 0)
        name += std::to_string(attempt + 1);
    return name;
}

} // namespace

ReplaceResult replaceFileAtomically(FileSystem& fs, const std::string& path,
                                    const std::string& bytes)
{
    const std::uint32_t old = fs.getAttributes(path);
    if (old == INVALID_FILE_ATTRIBUTES_ || (old & FILE_ATTRIBUTE_DIRECTORY_) != 0)
        return failed("find", kFileNotFound);
    const std::uint32_t wanted = settable(old);

    // Beside the target, so that the replacement is a rename on one volume.
    std::string temp;
    std::uint32_t error = 0;
    bool written = false;
    for (int attempt = 0; attempt < kNameTries && !written; ++attempt) {
        temp = temporaryName(path, attempt);
        if (fs.getAttributes(temp) != INVALID_FILE_ATTRIBUTES_)
            continue;
        if (fs.writeNewFile(temp, bytes, error)) {
            written = true;
        } else if (error != kFileExists && error != kAlreadyExists) {
            removeTemporary(fs, temp);
            return failed("write", error);
        }
    }
    if (!written)
        return failed("temporary name", kFileExists);

    // The new file carries the old attributes before it moves, so nothing is
    // left to do (or to fail) once the old text is gone.
    if (!sameAttributes(fs.getAttributes(temp), wanted) && !fs.setAttributes(temp, wanted, error)) {
        removeTemporary(fs, temp);
        return failed("set attributes", error);
    }

    // A read-only target refuses the replacement.
    const bool cleared = (old & kBlocking) != 0;
    if (cleared && !fs.setAttributes(path, FILE_ATTRIBUTE_NORMAL_, error)) {
        removeTemporary(fs, temp);
        return failed("clear attributes", error);
    }

    if (!fs.moveReplace(temp, path, error)) {
        std::uint32_t ignored = 0;
        if (cleared)
            fs.setAttributes(path, wanted, ignored);
        removeTemporary(fs, temp);
        return failed("replace", error);
    }

    // Some file systems may not carry the attributes along with the rename.
    if (!sameAttributes(fs.getAttributes(path), wanted) && !fs.setAttributes(path, wanted, error))
        return failed("check attributes", error);
    return {true, 0, ""};
}

} // namespace tarvic
