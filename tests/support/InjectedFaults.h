#pragma once

// System calls that fail as a failing disk or card makes them fail. The library that holds this
// replaces the C library's calls in whatever links it, or in a program started with it in
// LD_PRELOAD and the fault in KARVENNA_INJECT_FAULT ("fsync:5:/Config/": the call's name, the
// errno, a part of the path).
enum class FaultyCall { Read, Write, Fsync, FolderSync, Close, Rename };

// While it lives, every call of that kind on a file whose path holds pathPart fails with
// `error`: a read or write moves no byte, a sync does not sync, a rename leaves the names, a
// close closes the descriptor and reports the error, as Linux does.
class InjectedFault {
public:
    InjectedFault(FaultyCall call, int error, const char* pathPart);
    ~InjectedFault();
    InjectedFault(const InjectedFault&) = delete;
    InjectedFault& operator=(const InjectedFault&) = delete;
};
