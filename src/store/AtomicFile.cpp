#include "store/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <system_error>

namespace lindora {

namespace {

[[noreturn]] void throwErrno(const std::string& what) { throw std::system_error(errno, std::generic_category(), what); }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

void writeAll(int fd, std::string_view data, const std::string& name) {
    while (!data.empty()) {
        ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            throwErrno("cannot write " + name);
        }
        data.remove_prefix(size_t(n));
    }
}

void syncFolder(const std::filesystem::path& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());  // best effort: some file systems refuse to sync folders
}

}  // namespace

std::string atomicTempPrefix(const std::filesystem::path& target) { return target.filename().string() + ".tmp-"; }

void writeFileAtomically(const std::filesystem::path& target, std::string_view data, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) mode = existing.st_mode & 07777;

    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temp = folder / (atomicTempPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && (errno != EEXIST || attempt > 100)) throwErrno("cannot create " + temp.string());
    }
    FileDescriptor file(fd);
    try {
        // The umask may have narrowed the mode; a settings file must get exactly the one asked for.
        if (::fchmod(file.get(), mode) != 0) throwErrno("cannot set the mode of " + temp.string());
        writeAll(file.get(), data, temp.string());
        if (::fsync(file.get()) != 0) throwErrno("cannot flush " + temp.string());
        if (::close(file.release()) != 0) throwErrno("cannot close " + temp.string());
        if (::rename(temp.c_str(), target.c_str()) != 0) throwErrno("cannot replace " + target.string());
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    syncFolder(folder);
}

std::optional<std::string> readWholeFile(const std::filesystem::path& file) {
    FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return std::nullopt;
        throwErrno("cannot open " + file.string());
    }
    std::string data;
    char buffer[16384];
    while (true) {
        ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            throwErrno("cannot read " + file.string());
        }
        if (n == 0) break;
        data.append(buffer, size_t(n));
    }
    return data;
}

void createFolders(const std::filesystem::path& folder, mode_t mode) {
    if (folder.empty()) return;
    struct stat st {};
    if (::stat(folder.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) throw std::system_error(ENOTDIR, std::generic_category(), folder.string());
        return;
    }
    createFolders(folder.parent_path(), mode);
    if (::mkdir(folder.c_str(), mode) != 0 && errno != EEXIST) throwErrno("cannot create " + folder.string());
    ::chmod(folder.c_str(), mode);
}

FileLock::FileLock(const std::filesystem::path& lockFile) {
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) throwErrno("cannot open " + lockFile.string());
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            int error = errno;
            ::close(fd_);
            throw std::system_error(error, std::generic_category(), "cannot lock " + lockFile.string());
        }
    }
}

FileLock::~FileLock() {
    ::close(fd_);  // closing releases the lock
}

FileStamp stampOf(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) return {};
    return {st.st_dev, st.st_ino, st.st_size,
            static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec, true};
}

}  // namespace lindora
