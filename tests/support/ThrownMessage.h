#pragma once

#include <gtest/gtest.h>

#include <string>

// The message of the `Error` that `action` throws; a test failure and ""
// when it throws none.
template <typename Error, typename Action>
std::string ThrownMessage(Action action)
{
    try {
        action();
    } catch (const Error& error) {
        return error.what();
    }
    ADD_FAILURE() << "nothing was thrown";
    return {};
}
