#include "PlatformTestHelpers.h"
#include "XdgPaths.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillet::testing;

namespace
{
int modeOf (const juce::File& file)
{
    struct stat info;
    return lstat (file.getFullPathName().toRawUTF8(), &info) == 0 ? (int)(info.st_mode & 07777) : -1;
}
} // namespace

TEST (XdgPaths, PropertiesFileFollowsAnAbsoluteConfigHomeOnly)
{
    const ScopedEnvironmentVariable home ("HOME", "/home/songwriter");
    for (const char* value : {(const char*)nullptr, "", "relative/conf", "~/conf"})
    {
        const ScopedEnvironmentVariable config ("XDG_CONFIG_HOME", value);
        EXPECT_EQ ("/home/songwriter/.config/quillet/quillet.dat",
                   quillet::getPropertiesFileLocation().getFullPathName().toStdString())
            << (value != nullptr ? value : "(unset)");
    }

    const ScopedEnvironmentVariable config ("XDG_CONFIG_HOME", "/srv/conf/\xc3\xa9t\xc3\xa9");
    EXPECT_EQ ("/srv/conf/\xc3\xa9t\xc3\xa9/quillet/quillet.dat",
               quillet::getPropertiesFileLocation().getFullPathName().toStdString());
}

TEST (XdgPaths, PrivateFolderIsMadeOrTightenedButNeverThroughLinksFilesOrOthersFolders)
{
    TemporaryFolder temp;
    ASSERT_TRUE (quillet::makePrivateFolder (temp["fresh"]));
    EXPECT_EQ (0700, modeOf (temp["fresh"]));

    // An existing folder of ours that others could enter is closed up.
    ASSERT_TRUE (temp["open"].createDirectory());
    ASSERT_EQ (0, chmod (temp["open"].getFullPathName().toRawUTF8(), 0777));
    EXPECT_FALSE (quillet::isPrivateFolder (temp["open"]));
    ASSERT_TRUE (quillet::makePrivateFolder (temp["open"]));
    EXPECT_EQ (0700, modeOf (temp["open"]));

    // A planted link to a folder that would itself pass is refused, and so is a plain file.
    ASSERT_EQ (0, symlink (temp["fresh"].getFullPathName().toRawUTF8(), temp["link"].getFullPathName().toRawUTF8()));
    ASSERT_TRUE (temp["file"].replaceWithText ("x"));
    for (auto* name : {"link", "file"})
        EXPECT_FALSE (quillet::makePrivateFolder (temp[name]) || quillet::isPrivateFolder (temp[name])) << name;

    if (getuid() == 0) // only root can hand a folder to another user
    {
        ASSERT_EQ (0, chown (temp["fresh"].getFullPathName().toRawUTF8(), 65534, 65534));
        EXPECT_FALSE (quillet::makePrivateFolder (temp["fresh"]) || quillet::isPrivateFolder (temp["fresh"]));
    }
}

TEST (XdgPaths, RuntimeFolderIsUsedOnlyWhenPrivate)
{
    TemporaryFolder temp;
    const auto runtime = temp["runtime"];
    ASSERT_TRUE (quillet::makePrivateFolder (runtime));
    {
        const ScopedEnvironmentVariable variable ("XDG_RUNTIME_DIR", runtime.getFullPathName().toRawUTF8());
        EXPECT_EQ (runtime, quillet::getPrivateRuntimeFolder());
    }

    // Otherwise a private folder of this user's own in /tmp; a world-readable runtime folder is left as it is.
    const juce::File fallback ("/tmp/quillet-" + juce::String ((juce::int64)getuid()));
    const juce::String runtimePath = runtime.getFullPathName();
    ASSERT_EQ (0, chmod (runtimePath.toRawUTF8(), 0755));
    for (const char* value : {runtimePath.toRawUTF8(), "relative/run", (const char*)nullptr})
    {
        const ScopedEnvironmentVariable variable ("XDG_RUNTIME_DIR", value);
        EXPECT_EQ (fallback, quillet::getPrivateRuntimeFolder()) << (value != nullptr ? value : "(unset)");
        EXPECT_TRUE (quillet::isPrivateFolder (fallback));
    }
    EXPECT_EQ (0755, modeOf (runtime));
}
