#pragma once

#include "base/Errors.h"
#include "support/ThrownMessage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Makes the named pipe `path`, which nothing ever writes to; false when it
// cannot be made.
inline bool MakeNamedPipe(const std::filesystem::path& path)
{
    return ::mkfifo(path.c_str(), 0600) == 0;
}

// The message of the FileError that `read` throws when it meets the named
// pipe `pipe`. The read runs on a thread of its own. Should it still wait on
// the pipe after a generous while, that is a failure, and the pipe is opened
// for writing and closed so that the read ends and the suite goes on.
template <typename Read>
std::string PipeReadFailure(const std::filesystem::path& pipe, Read read)
{
    std::future<std::string> message =
        std::async(std::launch::async, [&read] { return ThrownMessage<FileError>(read); });
    if (message.wait_for(std::chrono::seconds(20)) == std::future_status::ready)
        return message.get();
    ADD_FAILURE() << "the read still waits on the named pipe " << pipe;
    while (message.wait_for(std::chrono::milliseconds(100)) == std::future_status::timeout) {
        const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    return message.get();
}
