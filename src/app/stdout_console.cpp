#include "app/stdout_console.h"

#include <clocale>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <langinfo.h>
#endif

namespace zubk {

namespace {

#ifdef _WIN32
constexpr unsigned kUtf8CodePage = 65001;

bool ConsoleShowsUtf8() {
    return GetConsoleOutputCP() == kUtf8CodePage;
}

// Standard output runs in binary mode and we write CR LF ourselves: a text-mode stream would
// turn the CR LF that already ends a statement line into CR CR LF.
void PrepareStdout() {
    _setmode(_fileno(stdout), _O_BINARY);
}

void WriteWithLineEnds(std::string_view bytes) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            std::fwrite(bytes.data() + start, 1, i - start, stdout);
            std::fwrite("\r\n", 1, 2, stdout);
            start = i + 1;
        }
    }
    std::fwrite(bytes.data() + start, 1, bytes.size() - start, stdout);
}
#else
bool ConsoleShowsUtf8() {
    std::setlocale(LC_CTYPE, "");
    const char* codeset = nl_langinfo(CODESET);
    return codeset != nullptr && std::strcmp(codeset, "UTF-8") == 0;
}

void PrepareStdout() {}

void WriteWithLineEnds(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}
#endif

}  // namespace

StdoutConsole::StdoutConsole() : m_ownTextsInUtf8(ConsoleShowsUtf8()) {
    PrepareStdout();
}

StdoutConsole::~StdoutConsole() {
    std::fflush(stdout);
}

void StdoutConsole::Write(std::string_view bytes) {
    WriteWithLineEnds(bytes);
    // Every message is out before the next statement is sent: a run that is killed, or hangs
    // in the driver, leaves whole messages behind, not the start of one in a buffer.
    std::fflush(stdout);
}

}  // namespace zubk
