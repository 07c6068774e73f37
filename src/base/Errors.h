#pragma once

#include <stdexcept>
#include <string>

// The few ways a command can fail. Each carries a message a user can act on:
// what failed (file, host, page) and why. The command that started the work
// catches it, shows it and stops; no failure is reported as success.
class TarnwickError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A local file could not be opened or read.
class FileError : public TarnwickError {
public:
    using TarnwickError::TarnwickError;
};

// A page could not be fetched: host unreachable, timeout, HTTP failure.
class NetworkError : public TarnwickError {
public:
    using TarnwickError::TarnwickError;
};

// A fetched page could not be used.
class PageError : public TarnwickError {
public:
    using TarnwickError::TarnwickError;
};
