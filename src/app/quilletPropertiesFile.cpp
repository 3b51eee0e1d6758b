#include "quilletPropertiesFile.h"

#include "MySafeFileOutputStream.h"
#include "XdgPaths.h"

juce::File quilletPropertiesFile::GetLocation()
{
    return quillet::getPropertiesFileLocation();
}

void quilletPropertiesFile::ReadRecentFiles (const juce::File& file, juce::RecentlyOpenedFilesList& list)
{
    if (!file.existsAsFile())
        return;

    auto root = juce::XmlDocument::parse (file);
    if (root == nullptr)
        return;

    for (auto* child : root->getChildIterator())
    {
        if (child->hasTagName ("mru"))
        {
            list.restoreFromString (child->getStringAttribute ("list"));
            list.removeNonExistentFiles();
        }
    }
}

juce::String quilletPropertiesFile::CreateDocumentText (const juce::RecentlyOpenedFilesList& list)
{
    juce::XmlElement root ("quillet");
    root.createNewChildElement ("mru")->setAttribute ("list", list.toString());
    return root.toString (juce::XmlElement::TextFormat()); // XML header naming UTF-8, no DTD, indented
}

bool quilletPropertiesFile::WriteRecentFiles (const juce::File& file, const juce::RecentlyOpenedFilesList& list)
{
    const auto text = CreateDocumentText (list);

    auto folder = file.getParentDirectory();
    if (!folder.isDirectory())
        folder.createDirectory();
    if (!folder.isDirectory())
    {
        juce::Logger::outputDebugString ("Error: target xml folder could not be found/created!");
        return false;
    }

    // Failures here are not the user's business (the next start simply finds the old list), so the writer's
    // stream is used without the "could not be replaced" box that document saves show.
    MySafeFileOutputStream stream (file);
    if (!stream.openedOk())
        return false;

    stream.writeText (text, false, false, nullptr);
    return stream.Commit();
}
