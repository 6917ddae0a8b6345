#include "cliapp.h"

#include <iostream>

#if defined(_WIN32)
#include <io.h>
#define TL_ISATTY _isatty
#define TL_STDERR 2
#else
#include <unistd.h>
#define TL_ISATTY ::isatty
#define TL_STDERR STDERR_FILENO
#endif

int main(int argc, char* argv[])
{
    bool terminal = TL_ISATTY(TL_STDERR) == 1;
    return tl::cli::RunCommandLine(argc, argv, std::cout, std::cerr, terminal);
}
