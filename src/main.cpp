#include "app/run.h"
#include "app/stdout_console.h"
#include "platform/command_line.h"

int main(int argc, char* argv[]) {
    zubk::StdoutConsole console;
    const zubk::platform::CommandLine arguments(argc, argv);
    return zubk::Run(arguments.Count(), arguments.Values(), console);
}
