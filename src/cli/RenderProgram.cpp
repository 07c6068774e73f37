#include "cli/RenderProgram.h"

#include "base/RunningProgramFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

int RunRenderProgram(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    const std::filesystem::path self = RunningProgramFile();
    if (self.empty()) {
        err << "tarnwick-cli: cannot find this program's own file to start the drawing program beside it.\n";
        return 1;
    }
    // Beside this program's file, never found through PATH.
    const std::string program = (self.parent_path() / TARNWICK_RENDER_PROGRAM).string();
    std::vector<std::string> texts(args.begin(), args.end());
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    // What was written so far must not be lost with this process's buffers.
    out.flush();
    err.flush();
    ::execv(program.c_str(), argv.data());
    const int error = errno;
    err << "tarnwick-cli: cannot start the drawing program \"" << program << "\": " << std::strerror(error) << ".\n";
    return 1;
}
