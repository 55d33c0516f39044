#include "app/run.h"
#include "app/stdout_console.h"

int main(int argc, char* argv[]) {
    zubk::StdoutConsole console;
    return zubk::Run(argc, argv, console);
}
