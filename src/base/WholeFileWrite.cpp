#include "base/WholeFileWrite.h"

#include "base/Errors.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// What went wrong, with what to do where the system's words do not say it.
std::string Reason(int error)
{
    switch (error) {
    case ENOSPC:
        return "the disk is full; free some space on it or write the file elsewhere";
    case EDQUOT:
        return "your disk quota is used up; free some space or write the file elsewhere";
    case EFBIG:
        return "the file would be larger than this disk or the file size limit allows";
    case EISDIR:
        return "it is a folder; name a file";
    case ENXIO:
        return "nothing reads from it";
    default:
        return std::strerror(error);
    }
}

// Writes every byte into `fd` and closes it, also after a failure. Returns
// the error, or 0.
int WriteAndClose(int fd, std::string_view bytes, bool sync)
{
    int error = 0;
    while (!bytes.empty() && error == 0) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written >= 0)
            bytes.remove_prefix(static_cast<std::size_t>(written));
        else if (errno != EINTR)
            error = errno;
    }
    // A file system that reserves space late reports a full disk here.
    if (error == 0 && sync && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

// A name beside `target` that no other file has yet, created empty.
int CreateBeside(const fs::path& target, fs::path& created)
{
    static std::atomic<unsigned> counter{0};
    for (;;) {
        created = target.parent_path() / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "." +
                                          std::to_string(counter++) + ".part");
        // 0666 less the user's umask, as any new file gets.
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

}  // namespace

void WriteWholeFile(const fs::path& path, std::string_view bytes, std::string_view what)
{
    const auto fail = [&](int error) {
        throw FileError("Cannot write the " + std::string(what) + " \"" + path.string() + "\": " + Reason(error) +
                        ".");
    };
    std::error_code ignored;
    fs::path target = fs::is_symlink(path, ignored) ? fs::canonical(path, ignored) : path;
    if (target.empty())
        target = path;  // a link to nothing: the link itself is replaced

    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode))
        fail(EISDIR);
    if (exists && !S_ISREG(status.st_mode)) {
        // A named pipe without a reader would keep the open waiting.
        const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        if (fd < 0)
            fail(errno);
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        if (const int error = WriteAndClose(fd, bytes, false))
            fail(error);
        return;
    }

    fs::path part;
    const int fd = CreateBeside(target, part);
    if (fd < 0)
        fail(errno);
    if (exists)
        ::fchmod(fd, status.st_mode & 07777);
    int error = WriteAndClose(fd, bytes, true);
    if (error == 0 && ::rename(part.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(part.c_str());
        fail(error);
    }
}
