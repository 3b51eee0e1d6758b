#pragma once

#include "quilletDocumentHost.h"
#include "quilletLookAndFeel.h"
#include "quilletPreferenceData.h"

#include <juce_gui_extra/juce_gui_extra.h>

class ContentComp;
class quilletComponent;
class quillet_MultiDocumentPanel;

/** The main window: the command and menu machinery, the document panel with every open document, and the list of
    recently opened documents, which it reads from the properties file at construction and writes back at
    destruction. It opens one empty "Untitled" document at once. */
class quillet_Window : public juce::DocumentWindow, public quilletDocumentHost
{
public:
    quillet_Window();
    ~quillet_Window() override;

    /** The same questions as Quit, then quits. */
    void closeButtonPressed() override;

    /** Locates the properties file and reads the recent-files list from it. */
    void CreateAppPropertiesFile();

    /** Writes the recent-files list to the properties file. */
    void FlushAppPropertiesFile();

    /** Where file dialogs start: the folder of the most recent document that still exists, otherwise the product
        documents folder (or the user's documents folder when that could not be made). */
    juce::File GetBestFolderToOpen();

    /** Opens the file as a new document beside the others; null (and no message) when it cannot be opened. */
    quilletComponent* DoFileOpenPath (const juce::String& path);

    /** Asks about each changed document in panel order (see AskToSaveChangesIfNeeded). False as soon as one answer
        is Cancel or a save fails: the later documents are not asked. */
    bool AskToSaveChangedDocuments();

    ContentComp* GetContentComp() const;

    /** The size the window starts with; its first layout at this size fixes the minimum size to half its width and
        two thirds of its height. */
    static constexpr int startWidth = 835;
    static constexpr int startHeight = 585;

    juce::RecentlyOpenedFilesList& GetRecentFiles() override { return m_recentFiles; }
    juce::MultiDocumentPanel* GetDocumentPanel() override;

    quilletLookAndFeel m_lookAndFeel;
    quilletPreferenceData m_preferenceData;
    std::unique_ptr<juce::ApplicationCommandManager> mp_commandManager;
    bool m_minimumSizeSet = false;
    quillet_MultiDocumentPanel* mp_documentPanel = nullptr; // owned by the content component
    juce::File m_appPropertiesFile;
    juce::RecentlyOpenedFilesList m_recentFiles;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (quillet_Window)
};
