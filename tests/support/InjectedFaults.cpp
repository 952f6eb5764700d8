#include "tests/support/InjectedFaults.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Plain data: armed from the environment before any constructor of this library may have run.
struct Fault {
    FaultyCall call;
    int error;
    char pathPart[PATH_MAX];
};

Fault g_fault;
std::atomic<bool> g_armed = false;

template <typename Function> Function Real(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

bool Hits(FaultyCall call, const char* path) {
    return g_armed && g_fault.call == call && path &&
           std::strstr(path, g_fault.pathPart) != nullptr;
}

bool HitsDescriptor(FaultyCall call, int descriptor) {
    if (!g_armed || g_fault.call != call)
        return false;
    char link[32], path[PATH_MAX + 1];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", descriptor);
    const ssize_t length = ::readlink(link, path, PATH_MAX);
    if (length <= 0)
        return false;
    path[length] = '\0';
    return Hits(call, path);
}

int Failed() {
    errno = g_fault.error;
    return -1;
}

void Arm(FaultyCall call, int error, const char* pathPart) {
    g_fault.call = call;
    g_fault.error = error;
    std::snprintf(g_fault.pathPart, sizeof g_fault.pathPart, "%s", pathPart);
    g_armed = true;
}

// KARVENNA_INJECT_FAULT for a program this library was preloaded into.
__attribute__((constructor)) void ArmFromEnvironment() {
    const char* text = std::getenv("KARVENNA_INJECT_FAULT");
    if (!text)
        return;
    static const struct {
        const char* name;
        FaultyCall call;
    } names[] = {{"read", FaultyCall::Read},   {"write", FaultyCall::Write},
                 {"fsync", FaultyCall::Fsync}, {"folder-sync", FaultyCall::FolderSync},
                 {"close", FaultyCall::Close}, {"rename", FaultyCall::Rename}};
    const char* first = std::strchr(text, ':');
    const char* second = first ? std::strchr(first + 1, ':') : nullptr;
    if (!second)
        return;
    for (const auto& name : names)
        if (std::strlen(name.name) == size_t(first - text) &&
            std::strncmp(text, name.name, size_t(first - text)) == 0)
            Arm(name.call, std::atoi(first + 1), second + 1);
}

} // namespace

InjectedFault::InjectedFault(FaultyCall call, int error, const char* pathPart) {
    Arm(call, error, pathPart);
}

InjectedFault::~InjectedFault() {
    g_armed = false;
}

extern "C" {

ssize_t read(int descriptor, void* buffer, size_t bytes) {
    static const auto real = Real<ssize_t (*)(int, void*, size_t)>("read");
    return HitsDescriptor(FaultyCall::Read, descriptor) ? Failed()
                                                        : real(descriptor, buffer, bytes);
}

ssize_t write(int descriptor, const void* buffer, size_t bytes) {
    static const auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
    return HitsDescriptor(FaultyCall::Write, descriptor) ? Failed()
                                                         : real(descriptor, buffer, bytes);
}

ssize_t copy_file_range(int in, off64_t* inOffset, int out, off64_t* outOffset, size_t bytes,
                        unsigned int flags) {
    static const auto real =
        Real<ssize_t (*)(int, off64_t*, int, off64_t*, size_t, unsigned int)>("copy_file_range");
    if (HitsDescriptor(FaultyCall::Read, in) || HitsDescriptor(FaultyCall::Write, out))
        return Failed();
    return real(in, inOffset, out, outOffset, bytes, flags);
}

ssize_t sendfile(int out, int in, off_t* offset, size_t bytes) {
    static const auto real = Real<ssize_t (*)(int, int, off_t*, size_t)>("sendfile");
    if (HitsDescriptor(FaultyCall::Read, in) || HitsDescriptor(FaultyCall::Write, out))
        return Failed();
    return real(out, in, offset, bytes);
}

int fsync(int descriptor) {
    static const auto real = Real<int (*)(int)>("fsync");
    struct stat status;
    if (g_armed && ::fstat(descriptor, &status) == 0 &&
        HitsDescriptor(S_ISDIR(status.st_mode) ? FaultyCall::FolderSync : FaultyCall::Fsync,
                       descriptor))
        return Failed();
    return real(descriptor);
}

int close(int descriptor) {
    static const auto real = Real<int (*)(int)>("close");
    const bool fails = HitsDescriptor(FaultyCall::Close, descriptor);
    const int result = real(descriptor);
    return fails ? Failed() : result;
}

int rename(const char* from, const char* to) {
    static const auto real = Real<int (*)(const char*, const char*)>("rename");
    if (Hits(FaultyCall::Rename, from) || Hits(FaultyCall::Rename, to))
        return Failed();
    return real(from, to);
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags) {
    static const auto real =
        Real<int (*)(int, const char*, int, const char*, unsigned int)>("renameat2");
    if (Hits(FaultyCall::Rename, from) || Hits(FaultyCall::Rename, to))
        return Failed();
    return real(fromFolder, from, toFolder, to, flags);
}

} // extern "C"
