#pragma once

#include <cstdio>
#include <cstdlib>

// Ends the process once main's own objects are gone, without the libraries' exit-time
// destructors. Qt Multimedia 6.4 closes its PulseAudio connection from one of them while that
// connection's thread still serves it, so a program that has played sound would now and then
// crash on its way out.
[[noreturn]] inline void LeaveProcess(int code) {
    std::fflush(nullptr);
    std::_Exit(code);
}
