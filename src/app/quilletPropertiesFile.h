#pragma once

#include <juce_gui_extra/juce_gui_extra.h>

/** The application properties file: an XML document whose root "quillet" holds one element "mru", whose attribute
    "list" is the recent-files list in the framework's text form (full paths, most recent first, one per line).
    That list is the only setting the program keeps. */
class quilletPropertiesFile
{
public:
    /** Where desktop users expect settings: $XDG_CONFIG_HOME/quillet/quillet.dat (~/.config/quillet/quillet.dat). */
    static juce::File GetLocation();

    /** Replaces the list by the one in the file and drops entries whose files are gone. A missing, unreadable or
        malformed file leaves the list as it was. */
    static void ReadRecentFiles (const juce::File& file, juce::RecentlyOpenedFilesList& list);

    /** Writes the list, creating the folder when needed. The new file replaces the old one only once it is
        complete, so a failed write keeps the previous list. True when the file was written. */
    static bool WriteRecentFiles (const juce::File& file, const juce::RecentlyOpenedFilesList& list);

    /** The document text that WriteRecentFiles writes. */
    static juce::String CreateDocumentText (const juce::RecentlyOpenedFilesList& list);
};
