// tarnwick-cli-render: the render command, started by tarnwick-cli with the
// arguments after "render".
#include "cli/RenderCommand.h"
#include "cli/TerminalStream.h"

#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return RunOnTerminal(RunRender, args);
}
