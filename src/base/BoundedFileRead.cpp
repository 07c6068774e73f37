#include "base/BoundedFileRead.h"

#include "base/Errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBlockSize = 4096;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }

private:
    int fd_;
};

std::string Named(std::string_view what, const std::filesystem::path& path)
{
    return std::string(what) + " \"" + path.string() + "\"";
}

[[noreturn]] void Fail(const char* action, std::string_view what, const std::filesystem::path& path, int error)
{
    throw FileError(std::string("Cannot ") + action + " the " + Named(what, path) + ": " + std::strerror(error) + ".");
}

const char* KindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "a special file";
}

}  // namespace

std::size_t ReadFileBounded(const std::filesystem::path& path, std::string_view what, char* buffer,
                            std::size_t capacity, std::size_t limit)
{
    // Without O_NONBLOCK, opening a named pipe waits for a writer, maybe for
    // ever; on a regular file the flag changes nothing.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0)
        Fail("open", what, path, errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        Fail("read", what, path, errno);
    if (S_ISDIR(status.st_mode))
        throw FileError("Cannot read the " + Named(what, path) + ": it is a folder.");
    if (!S_ISREG(status.st_mode))
        throw FileError("The " + Named(what, path) + " is not a regular file but " + KindOf(status.st_mode) +
                        "; only ordinary files are read.");

    // Each read asks for all the blocks of 4096 bytes that reading block by
    // block would still take, so an ordinary file comes in one call; a file
    // read up to the size it had when opened needs no call to find its end.
    // A size of 0 proves nothing: files under /proc show 0 and hold text.
    const auto size = static_cast<std::size_t>(status.st_size);
    std::size_t total = 0;
    while (total < limit && total < capacity && (total == 0 || total != size)) {
        const std::size_t room = capacity - total;
        const std::size_t blocks = (std::min(limit - total, room) + kBlockSize - 1) / kBlockSize;
        const ssize_t got = ::read(file.get(), buffer + total, std::min(blocks * kBlockSize, room));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            Fail("read", what, path, errno);
        if (got == 0)
            break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}
