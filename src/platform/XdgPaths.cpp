#include "XdgPaths.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet
{
namespace
{
juce::File getAbsolutePathFromEnvironment (const char* name)
{
    const char* value = getenv (name);
    if (value == nullptr || value[0] != '/')
        return {};

    return juce::File (juce::CharPointer_UTF8 (value));
}
} // namespace

juce::File getConfigHomeFolder()
{
    const auto fromEnvironment = getAbsolutePathFromEnvironment ("XDG_CONFIG_HOME");
    if (fromEnvironment != juce::File())
        return fromEnvironment;

    return juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile (".config");
}

juce::File getPropertiesFileLocation()
{
    return getConfigHomeFolder().getChildFile ("quillet").getChildFile ("quillet.dat");
}

bool isPrivateFolder (const juce::File& folder)
{
    struct stat info;
    return lstat (folder.getFullPathName().toRawUTF8(), &info) == 0 && S_ISDIR (info.st_mode) &&
           info.st_uid == getuid() && (info.st_mode & 077) == 0;
}

bool makePrivateFolder (const juce::File& folder)
{
    const auto path = folder.getFullPathName();

    if (mkdir (path.toRawUTF8(), 0700) != 0 && errno != EEXIST)
        return false;

    // lstat, so that a symbolic link planted in a shared folder such as /tmp
    // is refused rather than followed.
    struct stat info;
    if (lstat (path.toRawUTF8(), &info) != 0 || !S_ISDIR (info.st_mode) || info.st_uid != getuid())
        return false;

    if ((info.st_mode & 077) != 0 && chmod (path.toRawUTF8(), 0700) != 0)
        return false;

    return isPrivateFolder (folder);
}

juce::File getPrivateRuntimeFolder()
{
    const auto runtimeFolder = getAbsolutePathFromEnvironment ("XDG_RUNTIME_DIR");
    if (runtimeFolder != juce::File() && isPrivateFolder (runtimeFolder))
        return runtimeFolder;

    const juce::File fallback ("/tmp/quillet-" + juce::String ((juce::int64)getuid()));
    return makePrivateFolder (fallback) ? fallback : juce::File();
}
} // namespace quillet
