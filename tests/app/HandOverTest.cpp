// The real program, started twice under the test's X server with a home folder of its own: the second launch hands
// its path to the first and exits at once; the first opens it, which shows in the recent-files list it writes when
// it quits. The channel itself is tested with two small probe processes in the platform tests; this shows that the
// program is wired to it.
#include "AppTestSupport.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace app_test;

namespace
{
/** One run of the program; SIGKILLed at the end of the test if still running. */
class ProgramRun
{
public:
    explicit ProgramRun (const juce::StringArray& arguments)
    {
        std::vector<std::string> strings{QUILLET_PROGRAM};
        for (auto& a : arguments)
            strings.push_back (a.toStdString());
        std::vector<char*> argv;
        for (auto& s : strings)
            argv.push_back (s.data());
        argv.push_back (nullptr);

        if (posix_spawn (&pid, QUILLET_PROGRAM, nullptr, nullptr, argv.data(), environ) != 0)
            pid = -1;
    }

    ~ProgramRun()
    {
        if (pid > 0 && !finished)
        {
            kill (pid, SIGKILL);
            waitpid (pid, nullptr, 0);
        }
    }

    /** The exit status, or nullopt if the program is still running after timeoutMs. */
    std::optional<int> waitForExit (int timeoutMs)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs;
        while (!finished)
        {
            int status = 0;
            if (waitpid (pid, &status, WNOHANG) == pid)
            {
                finished = true;
                exitStatus = WIFEXITED (status) ? WEXITSTATUS (status) : 128 + WTERMSIG (status);
            }
            else if (juce::Time::getMillisecondCounter() > end)
                return std::nullopt;
            else
                juce::Thread::sleep (10);
        }
        return exitStatus;
    }

    void signal (int number) { kill (pid, number); }

    pid_t pid = -1;
    bool finished = false;
    int exitStatus = -1;
};

bool waitFor (std::function<bool()> condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32)timeoutMs;
    while (!condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;
        juce::Thread::sleep (20);
    }
    return true;
}

juce::StringArray recentListIn (const juce::File& propertiesFile)
{
    auto root = juce::XmlDocument::parse (propertiesFile);
    auto* mru = root != nullptr ? root->getChildByName ("mru") : nullptr;
    return mru != nullptr ? juce::StringArray::fromLines (mru->getStringAttribute ("list")) : juce::StringArray();
}
} // namespace

class HandOverTest : public AppTest
{
public:
    HandOverTest()
        : runtime (root.getChildFile ("runtime"))
        , runtimeVariable ("XDG_RUNTIME_DIR", runtime.getFullPathName())
        , socketVariable ("QUILLET_INSTANCE_SOCKET", std::nullopt)
    {
        runtime.createDirectory();
        runtime.setExecutePermission (true);
        chmod (runtime.getFullPathName().toRawUTF8(), 0700);
    }

    void SetUp() override
    {
        if (std::getenv ("DISPLAY") == nullptr)
            GTEST_SKIP() << "needs an X server (run under xvfb-run)";
    }

    juce::File socketFile() const { return runtime.getChildFile ("quillet-instance.socket"); }

    /** Starts the program and waits until it listens for later launches. */
    std::unique_ptr<ProgramRun> startFirst()
    {
        auto run = std::make_unique<ProgramRun> (juce::StringArray());
        EXPECT_GT (run->pid, 0);
        EXPECT_TRUE (waitFor ([this] { return socketFile().exists(); }, 15000)) << "the program never listened";
        // It opens handed-over paths from its message loop, which runs once its window is up.
        EXPECT_FALSE (run->waitForExit (1500).has_value()) << "the program ended by itself";
        return run;
    }

    /** Quits the running program as Ctrl+C does (no questions: its documents are unchanged) and waits for it. */
    static void quit (ProgramRun& run)
    {
        run.signal (SIGINT);
        EXPECT_EQ (run.waitForExit (10000), std::optional<int> (0));
    }

    juce::File runtime;
    ScopedEnvironmentVariable runtimeVariable, socketVariable;
};

TEST_F (HandOverTest, SecondLaunchHandsItsPathToTheFirstAndExits)
{
    const auto song = makeFile ("my songs/first song.quillet");
    auto first = startFirst();

    // With no path: it exits, and the running program opens nothing.
    ProgramRun empty (juce::StringArray{});
    EXPECT_EQ (empty.waitForExit (5000), std::optional<int> (0));

    // With a path (one argument with a space, relative to the second launch's own folder).
    const auto started = juce::Time::getMillisecondCounter();
    std::optional<int> status;
    {
        const auto oldFolder = juce::File::getCurrentWorkingDirectory();
        song.getParentDirectory().setAsCurrentWorkingDirectory();
        ProgramRun second (juce::StringArray ("first song.quillet"));
        oldFolder.setAsCurrentWorkingDirectory();
        status = second.waitForExit (5000);
    }
    const auto took = juce::Time::getMillisecondCounter() - started;
    EXPECT_EQ (status, std::optional<int> (0));
    EXPECT_LT (took, 2000u) << "the second launch took " << took << " ms";
    std::cout << "[ info ] second launch exited after " << took << " ms" << std::endl;

    first->waitForExit (500); // let the first open it
    quit (*first);
    EXPECT_EQ (recentListIn (propertiesFile()), juce::StringArray (song.getFullPathName()));
}

TEST_F (HandOverTest, LaunchAfterAKilledProgramBecomesTheRunningOne)
{
    auto first = startFirst();
    first->signal (SIGKILL);
    first->waitForExit (5000);
    ASSERT_TRUE (socketFile().exists()); // left behind, as after a crash

    auto next = startFirst(); // does not hand over to the dead one, and does not exit
    const auto song = makeFile ("after crash.quillet");
    ProgramRun second (juce::StringArray (song.getFullPathName()));
    EXPECT_EQ (second.waitForExit (5000), std::optional<int> (0));

    next->waitForExit (500);
    quit (*next);
    EXPECT_EQ (recentListIn (propertiesFile()), juce::StringArray (song.getFullPathName()));
}
