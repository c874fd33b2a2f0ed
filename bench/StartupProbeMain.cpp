// The real program start, ending as soon as the main window is shown: what the start-up
// benchmark times. Started with an argument, as the benchmark does, it skips the update check.
#include "app/Application.h"

#include <cstdlib>

int main(int argc, char *argv[])
{
    // Ends at once: closing the window (and what closing does) is not part of start-up.
    return runPergolan(argc, argv, [](TfrmMain &) { std::_Exit(0); });
}
