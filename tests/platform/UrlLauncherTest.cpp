#include "PlatformTestHelpers.h"
#include "UrlLauncher.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using quillet::testing::ScopedEnvironmentVariable;
using quillet::testing::TemporaryFolder;
using quillet::testing::waitForFile;

namespace
{
constexpr int leakCheckFd = 77;

// A stand-in opener that records what it was given: the argument count, each
// argument followed by a NUL byte, whether descriptor 77 was open in it, and
// which signals it ignores (the shell clears its blocked mask itself, but
// keeps ignored signals, so that is what shows whether handlers were reset). "done" appears last, by rename, once
// everything is written.
void writeRecordingOpener (const juce::File& file, const juce::File& recordFolder)
{
    const auto dir = recordFolder.getFullPathName();
    file.replaceWithText ("#!/bin/sh\n"
                          "dir='" +
                              dir +
                              "'\n"
                              "printf '%s\\n' \"$#\" > \"$dir/count\"\n"
                              "printf '%s\\000' \"$@\" > \"$dir/args\"\n"
                              "if [ -e /proc/$$/fd/77 ]; then echo open; else echo closed; fi > \"$dir/fd77\"\n"
                              "/bin/grep '^SigIgn' /proc/$$/status > \"$dir/sigign\"\n"
                              "/bin/touch \"$dir/done.tmp\" && /bin/mv \"$dir/done.tmp\" \"$dir/done\"\n",
                          false, false, "\n");
    ASSERT_EQ (0, chmod (file.getFullPathName().toRawUTF8(), 0755));
}

struct OpenerRecord
{
    std::string count;
    std::string args;
    std::string fd77;
    std::string ignoredSignals;
};

std::optional<OpenerRecord> waitForRecord (const juce::File& recordFolder)
{
    if (!waitForFile (recordFolder.getChildFile ("done"), 5000))
        return std::nullopt;

    OpenerRecord record;
    juce::MemoryBlock args;
    recordFolder.getChildFile ("args").loadFileAsData (args);
    record.args.assign (static_cast<const char*> (args.getData()), args.getSize());
    record.count = recordFolder.getChildFile ("count").loadFileAsString().trim().toStdString();
    record.fd77 = recordFolder.getChildFile ("fd77").loadFileAsString().trim().toStdString();
    record.ignoredSignals = recordFolder.getChildFile ("sigign").loadFileAsString().trim().toStdString();
    return record;
}

// The bytes the stand-in records for exactly this one argument.
std::string oneArgument (const juce::String& text)
{
    return text.toStdString() + '\0';
}

// PATH with the stand-in's folder first, the system's folders after it, so a
// payload that did reach a shell would find its commands.
class UrlLauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        binFolder = temp["bin"];
        recordFolder = temp["record"];
        ASSERT_TRUE (binFolder.createDirectory());
        ASSERT_TRUE (recordFolder.createDirectory());
        writeRecordingOpener (binFolder.getChildFile ("xdg-open"), recordFolder);
        path.emplace ("PATH", (binFolder.getFullPathName() + ":/usr/local/bin:/usr/bin:/bin").toStdString());
    }

    void clearRecord()
    {
        recordFolder.deleteRecursively();
        recordFolder.createDirectory();
    }

    TemporaryFolder temp;
    juce::File binFolder, recordFolder;
    std::optional<ScopedEnvironmentVariable> path;
};
} // namespace

TEST_F (UrlLauncherTest, HostileAddressesArriveAsOneUntouchedArgumentAndRunNothing)
{
    const auto trap = temp.get().getFullPathName();
    const juce::String hostile[] = {
        "https://example.org/browse/`/usr/bin/touch${IFS}" + trap + "/ran1`",
        "https://example.org/search?q=$(/usr/bin/touch " + trap + "/ran2)&x=${IFS}${HOME}",
        "https://example.org/a'b\"c; /usr/bin/touch " + trap + "/ran3 | /usr/bin/touch " + trap + "/ran4 &",
        "https://example.org/\"; /usr/bin/touch " + trap + "/ran5; echo \"",
        "file:///tmp/with  two spaces\tand a tab",
        juce::String (
            juce::CharPointer_UTF8 ("https://example.org/browse/\xc3\xbc\x62\x65r?q=\xe6\x97\xa5\xe6\x9c\xac")),
    };

    for (auto& address : hostile)
    {
        clearRecord();
        ASSERT_TRUE (quillet::launchUrlWithoutShell (address)) << address;

        const auto record = waitForRecord (recordFolder);
        ASSERT_TRUE (record.has_value()) << "the stand-in never ran for " << address;
        EXPECT_EQ ("1", record->count) << address;
        EXPECT_EQ (oneArgument (address), record->args) << address;
    }

    for (auto name : {"ran1", "ran2", "ran3", "ran4", "ran5"})
        EXPECT_FALSE (temp[name].exists()) << name << " was created: a payload ran";
}

TEST_F (UrlLauncherTest, OpenerGetsNoDescriptorOrIgnoredSignalOfTheProgram)
{
    // A descriptor without close-on-exec and an ignored signal, as a program
    // may well have; neither belongs in the browser.
    int pipeFds[2];
    ASSERT_EQ (0, pipe (pipeFds));
    ASSERT_EQ (leakCheckFd, fcntl (pipeFds[0], F_DUPFD, leakCheckFd));

    const auto previousHandler = signal (SIGUSR2, SIG_IGN);
    const bool launched = quillet::launchUrlWithoutShell ("https://example.org/");
    signal (SIGUSR2, previousHandler);

    close (leakCheckFd);
    close (pipeFds[0]);
    close (pipeFds[1]);

    ASSERT_TRUE (launched);
    const auto record = waitForRecord (recordFolder);
    ASSERT_TRUE (record.has_value());
    EXPECT_EQ ("closed", record->fd77);
    EXPECT_EQ ("SigIgn:\t0000000000000000", record->ignoredSignals);
}

TEST_F (UrlLauncherTest, AnOpenerThatCannotStartIsSkippedForTheNextOne)
{
    const auto broken = binFolder.getChildFile ("broken-opener");
    broken.replaceWithText ("#!/nonexistent/interpreter\n", false, false, "\n");
    ASSERT_EQ (0, chmod (broken.getFullPathName().toRawUTF8(), 0755));

    EXPECT_TRUE (
        quillet::launchUrlWithOpeners ("https://example.org/x", {"broken-opener", "missing-opener", "xdg-open"}));
    const auto record = waitForRecord (recordFolder);
    ASSERT_TRUE (record.has_value());
    EXPECT_EQ (oneArgument ("https://example.org/x"), record->args);
}

TEST_F (UrlLauncherTest, RefusesAddressesAnOpenerWouldTakeAsOptions)
{
    EXPECT_FALSE (quillet::launchUrlWithoutShell ({}));
    EXPECT_FALSE (quillet::launchUrlWithoutShell ("--help"));
    EXPECT_FALSE (quillet::launchUrlWithoutShell ("-new-instance"));
    EXPECT_FALSE (recordFolder.getChildFile ("done").exists());
}

TEST_F (UrlLauncherTest, RelativeAndEmptyPathEntriesAreNotSearched)
{
    // An "xdg-open" in the current folder must not be run through an empty
    // or relative PATH entry.
    const ScopedEnvironmentVariable onlyRelative ("PATH", std::string (":.:bin"));
    const auto previousFolder = juce::File::getCurrentWorkingDirectory();
    temp.get().setAsCurrentWorkingDirectory();

    const bool launched = quillet::launchUrlWithOpeners ("https://example.org/", {"xdg-open"});
    previousFolder.setAsCurrentWorkingDirectory();

    EXPECT_FALSE (launched);
}

TEST (UrlLauncherNoOpener, ReturnsFalseWhenNoOpenerExists)
{
    TemporaryFolder empty;
    const ScopedEnvironmentVariable path ("PATH", empty.get().getFullPathName().toStdString());

    // The absolute fall-back may exist on this machine and would start a real
    // browser, so the search over PATH is checked with the other names.
    juce::StringArray onPath;
    for (auto& name : quillet::getUrlOpenerCandidates())
        if (!name.containsChar ('/'))
            onPath.add (name);

    EXPECT_FALSE (quillet::launchUrlWithOpeners ("https://example.org/", onPath));

    if (!juce::File ("/etc/alternatives/x-www-browser").exists())
    {
        EXPECT_FALSE (quillet::launchUrlWithoutShell ("https://example.org/"));
    }

    const ScopedEnvironmentVariable noPath ("PATH", std::nullopt);
    EXPECT_FALSE (quillet::launchUrlWithOpeners ("https://example.org/", {"no-such-opener-anywhere"}));
}
