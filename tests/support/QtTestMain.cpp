#include "app/CHtmView.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

// The Qt tests' main. A suite that started the browser engine leaves its
// application alive (the engine cannot start twice in one process), and the
// engine's own threads then race the process's exit handlers; such a process
// ends without running them once every test has reported.
int main(int argc, char** argv)
{
    // As the program does, before any browser object exists.
    CHtmView::RegisterPageScheme();
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (QCoreApplication::instance() != nullptr) {
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
