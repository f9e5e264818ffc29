// Reading, atomically replacing and setting aside the files the game keeps.
#include "platform/cKeptFile.h"

#include "platform/dirListing.h"

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::function<void(const std::string&)>& beforeRename() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

std::string failure(const std::string& what, int err) { return what + ": " + std::strerror(err); }

// Each missing folder on the way is made private to the player, as the XDG rules ask.
bool makeFolders(const std::string& folder, std::string& reason) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            reason = failure("cannot make the folder " + part, errno);
            return false;
        }
        if (slash == std::string::npos) return true;
    }
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// The file's data reaches the disk before the rename makes it the kept file.
bool writeTemporary(const std::string& temp, std::string_view text, std::string& reason) {
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
    if (fd < 0) {
        reason = failure("cannot create " + temp, errno);
        return false;
    }
    bool ok = writeAll(fd, text) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        reason = failure("cannot write " + temp, err);
        ::unlink(temp.c_str());
    }
    return ok;
}

// Best effort: on a file system that cannot sync a folder the rename has still happened.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

cKeptFile::cKeptFile(std::string folder_, std::string name_)
    : folder(std::move(folder_)), name(std::move(name_)), path(folder.empty() ? "" : folder + "/" + name) {}

cKeptFile::eRead cKeptFile::read(std::string& text, std::string& reason) const {
    text.clear();
    if (folder.empty()) return missing;
    removeDeadTemporaries();
    // Non-blocking, so a pipe or device put in the file's place cannot stall the game.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return missing;
        reason = failure("cannot be read", errno);
        return unreadable;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        reason = "is not a plain file";
        return unreadable;
    }
    // The size on disk is not trusted: the read stops one byte past the limit.
    std::vector<char> buffer(64 * 1024);
    while (text.size() <= kMaxBytes) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            reason = failure("cannot be read", errno);
            ::close(fd);
            text.clear();
            return unreadable;
        }
        if (n == 0) break;
        text.append(buffer.data(), static_cast<size_t>(n));
    }
    ::close(fd);
    if (text.size() > kMaxBytes) {
        text.clear();
        reason = "is larger than 1 MiB";
        return unreadable;
    }
    return present;
}

bool cKeptFile::write(std::string_view text, std::string& reason) const {
    if (folder.empty()) {
        reason = "there is no home folder to keep " + name + " in (HOME is not set)";
        return false;
    }
    if (!makeFolders(folder, reason)) return false;
    removeDeadTemporaries();
    // One name per process: two games saving at once never write into each other's file.
    const std::string temp = path + ".tmp." + std::to_string(::getpid());
    if (!writeTemporary(temp, text, reason)) return false;
    if (beforeRename()) beforeRename()(temp);
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        reason = failure("cannot replace " + path, errno);
        ::unlink(temp.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

std::string cKeptFile::setAside(const std::string& why) const {
    const std::string bad = path + ".bad";
    const std::string what = path + " " + why;
    if (::rename(path.c_str(), bad.c_str()) != 0)
        return what + "; it could not be set aside (" + std::strerror(errno) + "), so the game starts from defaults";
    syncFolder(folder);
    return what + "; it was set aside as " + bad + " and the game starts from defaults";
}

void cKeptFile::setBeforeRename(std::function<void(const std::string&)> hook) { beforeRename() = std::move(hook); }

void cKeptFile::removeDeadTemporaries() const {
    std::vector<std::string> names;
    if (!listDirectory(folder.c_str(), names)) return;
    const std::string prefix = name + ".tmp.";
    for (const std::string& entry : names) {
        if (entry.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string pidText = entry.substr(prefix.size());
        if (pidText.empty() || pidText.size() > 9 || pidText.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(pidText));
        if (pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH) ::unlink((folder + "/" + entry).c_str());
    }
}
