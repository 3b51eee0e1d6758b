#include "UrlLauncher.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quillet
{
juce::StringArray getUrlOpenerCandidates()
{
    // The same fall-backs the framework tries, but each one run directly.
    return {"xdg-open",      "/etc/alternatives/x-www-browser",
            "firefox",       "mozilla",
            "google-chrome", "chromium-browser",
            "chromium",      "opera",
            "konqueror"};
}

namespace
{
bool isExecutableFile (const std::string& path)
{
    struct stat info;
    return stat (path.c_str(), &info) == 0 && S_ISREG (info.st_mode) && access (path.c_str(), X_OK) == 0;
}

// The PATH search is done here, before forking, because nothing between
// fork and exec may allocate. Empty and relative PATH entries are skipped
// so that an opener is never picked up from the current folder.
std::string findExecutable (const std::string& name)
{
    if (name.find ('/') != std::string::npos)
        return isExecutableFile (name) ? name : std::string();

    const char* pathVariable = getenv ("PATH");
    const std::string searchPath (pathVariable != nullptr ? pathVariable : "/bin:/usr/bin");

    for (size_t start = 0; start <= searchPath.size();)
    {
        auto end = searchPath.find (':', start);
        if (end == std::string::npos)
            end = searchPath.size();

        const auto folder = searchPath.substr (start, end - start);
        if (!folder.empty() && folder[0] == '/')
        {
            const auto candidate = folder + "/" + name;
            if (isExecutableFile (candidate))
                return candidate;
        }

        start = end + 1;
    }

    return {};
}

int getHighestPossibleDescriptor()
{
    struct rlimit limit;
    if (getrlimit (RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 65535;

    return (int)std::min<rlim_t> (limit.rlim_cur, 1 << 20) - 1;
}

// Only async-signal-safe calls from here on: the child of a threaded
// program may find any lock (malloc's included) held by a thread that no
// longer exists in it.
void closeInheritedDescriptors (int keep, int highest)
{
#ifdef SYS_close_range
    const bool belowClosed = keep <= 3 || syscall (SYS_close_range, 3u, (unsigned)keep - 1, 0u) == 0;
    if (belowClosed && syscall (SYS_close_range, (unsigned)keep + 1, ~0u, 0u) == 0)
        return;
#endif
    for (int fd = 3; fd <= highest; ++fd)
        if (fd != keep)
            close (fd);
}

void resetSignalHandlers()
{
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset (&defaultAction.sa_mask);

    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber)
        sigaction (signalNumber, &defaultAction, nullptr);
}

[[noreturn]] void runOpenerInGrandchild (const char* executable, char* const argv[], int statusFd, int highestFd)
{
    // The program's handlers must not run here, and the opener should get
    // the signal state of a freshly started program.
    resetSignalHandlers();
    setsid();

    const pid_t grandchild = fork();
    if (grandchild != 0)
        _exit (grandchild < 0 ? 1 : 0);

    // None of the program's files, sockets or pipes may live on in the
    // browser (a leaked instance socket would outlive the program).
    closeInheritedDescriptors (statusFd, highestFd);

    const int nullFd = open ("/dev/null", O_RDONLY);
    if (nullFd > 0)
    {
        dup2 (nullFd, 0);
        close (nullFd);
    }

    sigset_t noSignals;
    sigemptyset (&noSignals);
    sigprocmask (SIG_SETMASK, &noSignals, nullptr);

    execve (executable, argv, environ);

    const int error = errno;
    ssize_t written;
    do
        written = write (statusFd, &error, sizeof (error));
    while (written < 0 && errno == EINTR);
    _exit (127);
}

// Runs `executable address` in a grandchild that is re-parented to init,
// so the program never has to reap it and the browser outlives nothing of
// ours. Returns true when the exec succeeded, which the grandchild reports
// through a close-on-exec pipe: it closes empty on success and carries
// the error number otherwise.
bool spawnDetached (const std::string& executable, const std::string& address)
{
    int statusPipe[2];
    if (pipe2 (statusPipe, O_CLOEXEC) != 0)
        return false;

    const int highestFd = getHighestPossibleDescriptor();
    char* const argv[] = {const_cast<char*> (executable.c_str()), const_cast<char*> (address.c_str()), nullptr};

    // Every signal stays blocked from the fork until the child has put
    // back the default handlers.
    sigset_t allSignals, previousMask;
    sigfillset (&allSignals);
    pthread_sigmask (SIG_SETMASK, &allSignals, &previousMask);

    const pid_t child = fork();
    if (child == 0)
    {
        close (statusPipe[0]);
        runOpenerInGrandchild (executable.c_str(), argv, statusPipe[1], highestFd);
    }

    pthread_sigmask (SIG_SETMASK, &previousMask, nullptr);
    close (statusPipe[1]);

    if (child < 0)
    {
        close (statusPipe[0]);
        return false;
    }

    int childStatus = 0;
    pid_t waited;
    do
        waited = waitpid (child, &childStatus, 0);
    while (waited < 0 && errno == EINTR);

    // With SIGCHLD ignored the child reaps itself and waitpid says ECHILD;
    // the pipe then tells alone.
    const bool childForked =
        waited == child ? (WIFEXITED (childStatus) && WEXITSTATUS (childStatus) == 0) : errno == ECHILD;

    int execError = 0;
    ssize_t got;
    do
        got = read (statusPipe[0], &execError, sizeof (execError));
    while (got < 0 && errno == EINTR);
    close (statusPipe[0]);

    return childForked && got == 0;
}
} // namespace

bool launchUrlWithOpeners (const juce::String& address, const juce::StringArray& openers)
{
    // An opener would take a leading '-' as one of its options.
    if (address.isEmpty() || address.startsWithChar ('-'))
        return false;

    const std::string addressText (address.toStdString());

    for (auto& opener : openers)
    {
        const auto executable = findExecutable (opener.toStdString());
        if (!executable.empty() && spawnDetached (executable, addressText))
            return true;
    }

    return false;
}

bool launchUrlWithoutShell (const juce::String& address)
{
    return launchUrlWithOpeners (address, getUrlOpenerCandidates());
}
} // namespace quillet
