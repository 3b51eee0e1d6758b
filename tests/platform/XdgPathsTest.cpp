#include "PlatformTestHelpers.h"
#include "XdgPaths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using quillet::testing::ScopedEnvironmentVariable;
using quillet::testing::TemporaryFolder;

namespace
{
int modeOf (const juce::File& file)
{
    struct stat info;
    return lstat (file.getFullPathName().toRawUTF8(), &info) == 0 ? (int)(info.st_mode & 07777) : -1;
}
} // namespace

TEST (XdgPaths, PropertiesFileFollowsAnAbsoluteConfigHome)
{
    const ScopedEnvironmentVariable home ("HOME", std::string ("/home/songwriter"));
    const ScopedEnvironmentVariable config ("XDG_CONFIG_HOME", std::string ("/srv/conf/\xc3\xa9t\xc3\xa9"));

    EXPECT_EQ (juce::String (juce::CharPointer_UTF8 ("/srv/conf/\xc3\xa9t\xc3\xa9/quillet/quillet.dat")),
               quillet::getPropertiesFileLocation().getFullPathName());
}

TEST (XdgPaths, PropertiesFileFallsBackToDotConfigForUnsetEmptyOrRelativeConfigHome)
{
    const ScopedEnvironmentVariable home ("HOME", std::string ("/home/songwriter"));
    const juce::String expected ("/home/songwriter/.config/quillet/quillet.dat");

    for (auto value : {std::optional<std::string>(), std::optional<std::string> (""),
                       std::optional<std::string> ("relative/conf"), std::optional<std::string> ("~/conf")})
    {
        const ScopedEnvironmentVariable config ("XDG_CONFIG_HOME", value);
        EXPECT_EQ (expected, quillet::getPropertiesFileLocation().getFullPathName())
            << "XDG_CONFIG_HOME=" << value.value_or ("(unset)");
    }
}

TEST (XdgPaths, PrivateFolderIsCreatedWith0700AndTightenedWhenOwned)
{
    TemporaryFolder temp;
    const auto fresh = temp["fresh"];
    ASSERT_TRUE (quillet::makePrivateFolder (fresh));
    EXPECT_EQ (0700, modeOf (fresh));

    // An existing folder of ours that others could enter is closed up.
    const auto open = temp["open"];
    ASSERT_TRUE (open.createDirectory());
    ASSERT_EQ (0, chmod (open.getFullPathName().toRawUTF8(), 0777));
    EXPECT_FALSE (quillet::isPrivateFolder (open));
    ASSERT_TRUE (quillet::makePrivateFolder (open));
    EXPECT_EQ (0700, modeOf (open));
}

TEST (XdgPaths, PrivateFolderRefusesLinksFilesAndOthersFolders)
{
    TemporaryFolder temp;
    const auto target = temp["target"];
    ASSERT_TRUE (quillet::makePrivateFolder (target));

    // A planted link to a folder that would itself pass is still refused.
    const auto link = temp["link"];
    ASSERT_EQ (0, symlink (target.getFullPathName().toRawUTF8(), link.getFullPathName().toRawUTF8()));
    EXPECT_FALSE (quillet::makePrivateFolder (link));
    EXPECT_FALSE (quillet::isPrivateFolder (link));

    const auto plainFile = temp["file"];
    ASSERT_TRUE (plainFile.replaceWithText ("x"));
    EXPECT_FALSE (quillet::makePrivateFolder (plainFile));

    if (getuid() == 0)
    {
        // Only root can hand a folder to another user, so only then can this run.
        const auto foreign = temp["foreign"];
        ASSERT_TRUE (quillet::makePrivateFolder (foreign));
        ASSERT_EQ (0, chown (foreign.getFullPathName().toRawUTF8(), 65534, 65534));
        EXPECT_FALSE (quillet::makePrivateFolder (foreign));
        EXPECT_FALSE (quillet::isPrivateFolder (foreign));
    }
}

TEST (XdgPaths, RuntimeFolderIsUsedOnlyWhenPrivate)
{
    TemporaryFolder temp;
    const auto runtime = temp["runtime"];
    ASSERT_TRUE (quillet::makePrivateFolder (runtime));

    {
        const ScopedEnvironmentVariable variable ("XDG_RUNTIME_DIR", runtime.getFullPathName().toStdString());
        EXPECT_EQ (runtime, quillet::getPrivateRuntimeFolder());
    }

    const juce::File fallback ("/tmp/quillet-" + juce::String ((juce::int64)getuid()));
    ASSERT_EQ (0, chmod (runtime.getFullPathName().toRawUTF8(), 0755));

    for (auto value : {std::optional<std::string> (runtime.getFullPathName().toStdString()),
                       std::optional<std::string> ("relative/run"), std::optional<std::string>()})
    {
        const ScopedEnvironmentVariable variable ("XDG_RUNTIME_DIR", value);
        const auto chosen = quillet::getPrivateRuntimeFolder();
        EXPECT_EQ (fallback, chosen) << "XDG_RUNTIME_DIR=" << value.value_or ("(unset)");
        EXPECT_TRUE (quillet::isPrivateFolder (chosen));
    }

    // A world-readable runtime folder is not ours to fix: it is left alone.
    EXPECT_EQ (0755, modeOf (runtime));
}
