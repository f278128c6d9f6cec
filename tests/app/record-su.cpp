#include <cstdio>
#include <cstdlib>

// Stands in for the restart tool: appends each argument followed by a NUL byte
// to the file named in TESSEL_SU_RECORD, so a test sees exactly what the
// window asked for without anything being restarted. With TESSEL_SU_STATUS
// set it fails with that status and a line on standard error.
int main(int argc, char* argv[])
{
    const char* path = std::getenv("TESSEL_SU_RECORD");
    if (!path)
        return 1;
    std::FILE* record = std::fopen(path, "ab");
    if (!record)
        return 1;
    for (int i = 1; i < argc; ++i) {
        std::fputs(argv[i], record);
        std::fputc('\0', record);
    }
    if (std::fclose(record) != 0)
        return 1;
    if (const char* status = std::getenv("TESSEL_SU_STATUS")) {
        std::fputs("tessel-su: Not authorized for the test\n", stderr);
        return std::atoi(status);
    }
    return 0;
}
