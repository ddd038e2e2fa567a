#pragma once
// File operations that keep a file whole for every reader: a new version is written beside the
// old one, flushed to the disk and renamed over it, so a crash leaves either version but never
// a mix. Failures raise std::system_error.
#include <sys/types.h>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lindora {

// The prefix of the temporary files writeFileAtomically leaves while it runs.
std::string atomicTempPrefix(const std::filesystem::path& target);

// Replaces target with data. A new file gets mode; an existing one keeps its mode.
void writeFileAtomically(const std::filesystem::path& target, std::string_view data, mode_t mode);

// The whole file, or nothing when it does not exist.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

// Creates the folder and its missing parents with mode (only the ones it creates).
void createFolders(const std::filesystem::path& folder, mode_t mode);

// An exclusive advisory lock on a lock file (created with mode 0600), held for the lifetime of
// the object. It serialises writers across processes; readers need none because writes are
// atomic renames.
class FileLock {
public:
    explicit FileLock(const std::filesystem::path& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

// Identity of a file's current version, to notice that another process replaced it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    bool exists = false;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::filesystem::path& file);

}  // namespace lindora
