#include "UrlLauncher.h"

#include <cerrno>
#include <fcntl.h>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace quillet
{
juce::StringArray getUrlOpenerCandidates()
{
    // The same fall-backs the framework tries, but each one run directly.
    return { "xdg-open",      "/etc/alternatives/x-www-browser", "firefox", "mozilla", "google-chrome",
             "chromium-browser", "chromium",                       "opera",   "konqueror" };
}

namespace
{
    // Runs `opener address` in a grandchild that is re-parented to init, so the
    // program never has to reap it and the browser outlives nothing of ours.
    // Returns true when the exec succeeded (reported back through a pipe).
    bool spawnDetached (const juce::String& opener, const juce::String& address)
    {
        int statusPipe[2];
        if (pipe (statusPipe) != 0)
            return false;

        const std::string openerText (opener.toStdString());
        const std::string addressText (address.toStdString());

        const pid_t child = fork();
        if (child < 0)
        {
            close (statusPipe[0]);
            close (statusPipe[1]);
            return false;
        }

        if (child == 0)
        {
            close (statusPipe[0]);
            setsid();
            const pid_t grandchild = fork();
            if (grandchild != 0)
                _exit (grandchild < 0 ? 1 : 0);

            fcntl (statusPipe[1], F_SETFD, FD_CLOEXEC);
            char* const argv[] = { const_cast<char*> (openerText.c_str()),
                                   const_cast<char*> (addressText.c_str()),
                                   nullptr };
            execvp (argv[0], argv);
            const int error = errno;
            (void) ! write (statusPipe[1], &error, sizeof (error));
            _exit (127);
        }

        close (statusPipe[1]);
        int childStatus = 0;
        while (waitpid (child, &childStatus, 0) < 0 && errno == EINTR)
        {
        }

        // The exec succeeded when the pipe closes without an error number in it.
        int execError = 0;
        ssize_t got;
        do
            got = read (statusPipe[0], &execError, sizeof (execError));
        while (got < 0 && errno == EINTR);
        close (statusPipe[0]);

        return WIFEXITED (childStatus) && WEXITSTATUS (childStatus) == 0 && got == 0;
    }
} // namespace

bool launchUrlWithoutShell (const juce::String& address)
{
    if (address.isEmpty())
        return false;

    for (auto& opener : getUrlOpenerCandidates())
        if (spawnDetached (opener, address))
            return true;

    return false;
}
} // namespace quillet
