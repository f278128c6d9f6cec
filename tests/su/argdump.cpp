#include <cstdio>
#include <cstdlib>

// Writes each of its arguments followed by a NUL byte and exits with the
// status in ARGDUMP_STATUS, so a test sees exactly what a command received.
int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        std::fputs(argv[i], stdout);
        std::fputc('\0', stdout);
    }
    const char* status = std::getenv("ARGDUMP_STATUS");
    return status ? std::atoi(status) : 0;
}
