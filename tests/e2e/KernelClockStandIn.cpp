// Preloaded into the program under test, stands in for the kernel's clock discipline the way
// libfaketime stands in for the clock: adjtimex answers what the file named by
// STUDIO_CLOCK_KERNEL_CLOCK_FILE holds, "result status maxerror esterror", read at every call so
// that a test can change it while the program runs. A missing or unreadable file fails the call.
// A fifth field, the moment of the last correction in seconds since the epoch, grows maxerror by
// 500 us for each second since, as the kernel does, on the program's clock (libfaketime's too).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sys/timex.h>

// The C library names the parameter with a reserved name, which this file cannot take.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
extern "C" int adjtimex(struct timex* request)
{
    const char* path = std::getenv("STUDIO_CLOCK_KERNEL_CLOCK_FILE");
    std::FILE* file = path ? std::fopen(path, "r") : nullptr;
    int result = -1;
    long status = 0;
    long maxError = 0;
    long estimatedError = 0;
    if (file) {
        long long correctedAt = 0;
        const int fields = std::fscanf(
            file, "%d %ld %ld %ld %lld", &result, &status, &maxError, &estimatedError, &correctedAt);
        if (fields < 4)
            result = -1;
        else if (fields == 5)
            maxError += 500L * static_cast<long>(std::time(nullptr) - correctedAt);
        std::fclose(file);
    }
    if (result < 0) {
        errno = EPERM;
        return -1;
    }
    request->status = static_cast<int>(status);
    request->maxerror = maxError;
    request->esterror = estimatedError;
    return result;
}

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name)
extern "C" int ntp_adjtime(struct timex* request)
{
    return adjtimex(request);
}
