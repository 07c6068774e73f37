#pragma once

#include <ostream>
#include <span>
#include <string_view>

// `render` runs in a program of its own, tarnwick-cli-render beside this
// program's file, because it alone draws with Qt: the commands that only
// print numbers start without loading Qt's libraries.

// Replaces this process with the drawing program, handing it `args`; its
// output, errors and exit status are the command's. Returns only when it
// cannot be started, with status 1 after writing the reason to `err`.
int RunRenderProgram(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);
