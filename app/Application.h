#pragma once

#include <QString>

// Starts the platform, runs the main window modally and ends the process when it closes.
class Application {
public:
    int Run(int argc, char** argv);
};
