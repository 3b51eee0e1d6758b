// The real program, started twice under the test's X server with a home folder of its own: the second launch hands
// its path to the first and exits at once; the first opens it, which shows in the recent-files list it writes when
// it quits. The channel itself (stale sockets, bad clients) is tested with probe processes in the platform
// tests; this shows that the program is wired to it.
#include "AppTestSupport.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace app_test;

namespace
{
/** One run of the program; SIGKILLed at the end of the test if still running. */
class ProgramRun
{
public:
    explicit ProgramRun (std::vector<std::string> arguments)
    {
        arguments.insert (arguments.begin(), QUILLET_PROGRAM);
        std::vector<char*> argv;
        for (auto& a : arguments)
            argv.push_back (a.data());
        argv.push_back (nullptr);
        if (posix_spawn (&pid, QUILLET_PROGRAM, nullptr, nullptr, argv.data(), environ) != 0)
            pid = -1;
    }

    ~ProgramRun()
    {
        if (pid > 0 && !exitStatus)
        {
            kill (pid, SIGKILL);
            waitpid (pid, nullptr, 0);
        }
    }

    /** The exit status, or nullopt if the program is still running after timeoutMs. */
    std::optional<int> waitForExit (int timeoutMs)
    {
        for (auto end = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs; !exitStatus;
             juce::Thread::sleep (10))
        {
            int status = 0;
            if (waitpid (pid, &status, WNOHANG) == pid)
                exitStatus = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
            else if (juce::Time::getMillisecondCounter() > end)
                break;
        }
        return exitStatus;
    }

    pid_t pid = -1;
    std::optional<int> exitStatus;
};
} // namespace

using HandOverTest = AppTest;

TEST_F (HandOverTest, SecondLaunchHandsItsPathToTheFirstAndExits)
{
    if (std::getenv ("DISPLAY") == nullptr)
        GTEST_SKIP() << "needs an X server (run under xvfb-run)";
    const auto runtime = root.getChildFile ("runtime"), socket = runtime.getChildFile ("quillet-instance.socket");
    runtime.createDirectory();
    chmod (runtime.getFullPathName().toRawUTF8(), 0700);
    setenv ("XDG_RUNTIME_DIR", runtime.getFullPathName().toRawUTF8(), 1);
    unsetenv ("QUILLET_INSTANCE_SOCKET");

    const auto song = makeFile ("my songs/first song.quillet");
    ProgramRun first ({});
    ASSERT_GT (first.pid, 0);
    for (int i = 0; i < 750 && !socket.exists(); ++i)
        juce::Thread::sleep (20);
    ASSERT_TRUE (socket.exists()) << "the program never listened";
    // It opens handed-over paths from its message loop, which runs once its window is up.
    ASSERT_FALSE (first.waitForExit (1500).has_value()) << "the program ended by itself";

    // With no path: it exits, and the running program opens nothing.
    EXPECT_EQ (ProgramRun ({}).waitForExit (5000), std::optional<int> (0));

    // With a path: one argument with a space, relative to the second launch's own folder.
    const auto started = juce::Time::getMillisecondCounter();
    const auto oldFolder = juce::File::getCurrentWorkingDirectory();
    song.getParentDirectory().setAsCurrentWorkingDirectory();
    ProgramRun second ({"first song.quillet"});
    oldFolder.setAsCurrentWorkingDirectory();
    EXPECT_EQ (second.waitForExit (5000), std::optional<int> (0));
    const auto took = juce::Time::getMillisecondCounter() - started;
    EXPECT_LT (took, 2000u) << "the second launch took " << took << " ms";

    // Quit as Ctrl+C does (no questions: its documents are unchanged).
    first.waitForExit (500); // let the first open it
    kill (first.pid, SIGINT);
    EXPECT_EQ (first.waitForExit (10000), std::optional<int> (0));
    EXPECT_EQ (recentListIn (propertiesFile()), juce::StringArray (song.getFullPathName()));
}
