#include "pages/PageWriter.h"

#include "base/Errors.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

namespace {

// A hidden name beside the page file that no other build uses: this
// process's id and a count, and the page's own name for whoever finds it.
std::filesystem::path TemporaryName(const std::filesystem::path& file)
{
    static std::atomic<unsigned> count{0};
    return file.parent_path() / ("." + file.filename().string() + "." + std::to_string(getpid()) + "-" +
                                 std::to_string(count++) + ".tmp");
}

}  // namespace

PageWriter::PageWriter(const std::filesystem::path& file) : file_(file)
{
    std::error_code error;
    if (file.has_parent_path() && !std::filesystem::is_directory(file.parent_path())) {
        std::filesystem::create_directories(file.parent_path(), error);
        if (error)
            throw FileError("Could not create the page folder " + file.parent_path().string() + ": " +
                            error.message() + ". Check that the page folder can be written.");
    }
    // A name left behind by a build that crashed is skipped, not reused.
    do {
        temporary_ = TemporaryName(file);
        descriptor_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (descriptor_ < 0 && errno == EEXIST);
    if (descriptor_ < 0)
        Fail("create", errno);
}

PageWriter::~PageWriter()
{
    if (descriptor_ < 0)
        return;
    close(descriptor_);
    unlink(temporary_.c_str());
}

void PageWriter::Write(std::string_view text)
{
    text_ += text;
}

void PageWriter::Commit()
{
    for (std::size_t written = 0; written < text_.size();) {
        const ssize_t count = write(descriptor_, text_.data() + written, text_.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            Fail("write", count < 0 ? errno : EIO);
        written += static_cast<std::size_t>(count);
    }
    // On the disk before the rename: a crash then leaves the old page or the new one, never an empty file.
    if (fsync(descriptor_) != 0)
        Fail("write", errno);
    const int descriptor = descriptor_;
    descriptor_ = -1;
    if (close(descriptor) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        Fail("write", error);
    }
    if (rename(temporary_.c_str(), file_.c_str()) != 0) {
        const int error = errno;
        unlink(temporary_.c_str());
        Fail("replace", error);
    }
}

void PageWriter::Fail(std::string_view action, int error) const
{
    throw FileError("Could not " + std::string(action) + " the page file " + file_.string() + ": " +
                    std::strerror(error) + ". Check that the page folder can be written.");
}
