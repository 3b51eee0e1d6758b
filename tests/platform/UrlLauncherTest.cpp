#include "PlatformTestHelpers.h"
#include "UrlLauncher.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

using namespace quillet::testing;

namespace
{
// PATH holds a stand-in "xdg-open" first, the system's folders after it, so a payload that did reach a shell would
// find its commands. The stand-in records its argument count, each argument followed by a NUL byte, whether
// descriptor 77 was open in it and which signals it ignores (the shell clears its blocked mask itself but keeps
// ignored signals, so that shows whether handlers were reset). "done" appears last, by rename.
class UrlLauncherTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE (temp["bin"].createDirectory());
        ASSERT_TRUE (temp["bin/xdg-open"].replaceWithText (
            "#!/bin/sh\ncd '" + temp.folder.getFullPathName() + "' || exit 1\n" +
                "{ printf '%s\\n' \"$#\"; printf '%s\\000' \"$@\"; [ -e /proc/$$/fd/77 ] && echo fd 77 open;\n"
                "  /bin/grep '^SigIgn' /proc/$$/status; } > record\n"
                "/bin/touch done.tmp && /bin/mv done.tmp done\n",
            false, false, "\n"));
        ASSERT_EQ (0, chmod (temp["bin/xdg-open"].getFullPathName().toRawUTF8(), 0755));
    }

    /** What the stand-in recorded, once it is done; "<never ran>" if it did not run. */
    std::string recorded()
    {
        if (!waitUntil ([this] { return temp["done"].exists(); }, 5000))
            return "<never ran>";
        juce::MemoryBlock block;
        temp["record"].loadFileAsData (block);
        return std::string (static_cast<const char*> (block.getData()), block.getSize());
    }

    void clearRecord() { temp["done"].deleteFile(); }

    TemporaryFolder temp;
    ScopedEnvironmentVariable path{"PATH",
                                   (temp["bin"].getFullPathName() + ":/usr/local/bin:/usr/bin:/bin").toRawUTF8()};
};

// Signals 32 and 33 belong to the C library: no program can change their handling, so whatever ignoring this test
// process inherited for them reaches the opener too. Every other signal must arrive there with its default handling.
std::string inheritedReservedSignals()
{
    const auto status = juce::File ("/proc/self/status").loadFileAsString();
    const auto mask =
        status.fromFirstOccurrenceOf ("SigIgn:", false, false).trim().upToFirstOccurrenceOf ("\n", false, false);
    const auto reserved = (unsigned long long)mask.getHexValue64() & ((1ull << 31) | (1ull << 32));
    return juce::String::toHexString ((juce::int64)reserved).paddedLeft ('0', 16).toStdString();
}

// The record of a run with exactly this one argument, no descriptor and no ignored signal of ours.
std::string oneArgument (const juce::String& address)
{
    return "1\n" + address.toStdString() + '\0' + "SigIgn:\t" + inheritedReservedSignals() + "\n";
}
} // namespace

TEST_F (UrlLauncherTest, HostileAddressesArriveAsOneUntouchedArgumentAndRunNothing)
{
    const auto trap = temp.folder.getFullPathName();
    const juce::String hostile[] = {
        "https://example.org/browse/`/usr/bin/touch${IFS}" + trap + "/ran1`",
        "https://example.org/search?q=$(/usr/bin/touch " + trap + "/ran2)&x=${IFS}${HOME}",
        "https://example.org/a'b\"c; /usr/bin/touch " + trap + "/ran3 | /usr/bin/touch " + trap + "/ran4 &",
        "https://example.org/\"; /usr/bin/touch " + trap + "/ran5; echo \"",
        "file:///tmp/with  two spaces\tand a tab",
        juce::String (juce::CharPointer_UTF8 ("https://example.org/\xc3\xbc\x62\x65r?q=\xe6\x97\xa5\xe6\x9c\xac")),
    };

    // A descriptor without close-on-exec and an ignored signal, as a program may well have: neither belongs in the
    // browser.
    int pipeFds[2];
    ASSERT_EQ (0, pipe (pipeFds));
    ASSERT_EQ (77, fcntl (pipeFds[0], F_DUPFD, 77));
    const auto previousHandler = signal (SIGUSR2, SIG_IGN);

    for (auto& address : hostile)
    {
        clearRecord();
        EXPECT_TRUE (quillet::launchUrlWithoutShell (address)) << address;
        EXPECT_EQ (oneArgument (address), recorded()) << address;
    }

    signal (SIGUSR2, previousHandler);
    for (int fd : {77, pipeFds[0], pipeFds[1]})
        close (fd);
    for (auto name : {"ran1", "ran2", "ran3", "ran4", "ran5"})
        EXPECT_FALSE (temp[name].exists()) << name << " was created: a payload ran";
}

TEST_F (UrlLauncherTest, OptionLikeAddressesAreRefusedAndOpenersThatCannotStartAreSkipped)
{
    for (const char* address : {"", "--help", "-new-instance"})
        EXPECT_FALSE (quillet::launchUrlWithoutShell (address)) << address;
    EXPECT_FALSE (temp["done"].exists());

    ASSERT_TRUE (temp["bin/broken-opener"].replaceWithText ("#!/nonexistent/interpreter\n"));
    ASSERT_EQ (0, chmod (temp["bin/broken-opener"].getFullPathName().toRawUTF8(), 0755));
    EXPECT_TRUE (quillet::launchUrlWithOpeners ("https://example.org/x", {"broken-opener", "missing", "xdg-open"}));
    EXPECT_EQ (oneArgument ("https://example.org/x"), recorded());
}

TEST_F (UrlLauncherTest, NothingRunsWithoutAnOpenerOnAnAbsolutePathEntry)
{
    // The absolute fall-back may exist on this machine and would start a real browser: only the names are tried.
    juce::StringArray names;
    for (auto& name : quillet::getUrlOpenerCandidates())
        if (!name.containsChar ('/'))
            names.add (name);
    {
        const ScopedEnvironmentVariable noOpener ("PATH", temp.folder.getFullPathName().toRawUTF8());
        EXPECT_FALSE (quillet::launchUrlWithOpeners ("https://example.org/", names));
    }

    // The stand-in in ./bin must not be found through an empty or relative PATH entry.
    const ScopedEnvironmentVariable onlyRelative ("PATH", ":.:bin");
    const auto previousFolder = juce::File::getCurrentWorkingDirectory();
    temp.folder.setAsCurrentWorkingDirectory();
    EXPECT_FALSE (quillet::launchUrlWithOpeners ("https://example.org/", names));
    previousFolder.setAsCurrentWorkingDirectory();
    EXPECT_FALSE (temp["done"].exists());
}
