#pragma once

#include <juce_gui_extra/juce_gui_extra.h>

/** What a workspace needs of the main window: its recent-files list and its
    document panel. The main window implements it; tests provide a stand-in. */
class quilletDocumentHost
{
public:
    virtual ~quilletDocumentHost() = default;

    virtual juce::RecentlyOpenedFilesList& GetRecentFiles() = 0;
    virtual juce::MultiDocumentPanel* GetDocumentPanel() = 0;
};
