#include "quillet_Window.h"

#include "ContentComp.h"
#include "quilletComponent.h"
#include "quilletPropertiesFile.h"
#include "quilletSaveQuestion.h"
#include "quillet_MultiDocumentPanel.h"

quillet_Window::quillet_Window()
    : juce::DocumentWindow ("Quillet", juce::Colour (0xFFF4999Au), juce::DocumentWindow::allButtons, true)
{
    // The framework gives a new window a placeholder size; the content's first layout must see the real one.
    setSize (startWidth, startHeight);
    quilletComponent::SetMainWindow (this);
    m_minimumSizeSet = false;
    CreateAppPropertiesFile();

    mp_commandManager = std::make_unique<juce::ApplicationCommandManager>();
    setResizable (true, false);

    mp_documentPanel = new quillet_MultiDocumentPanel();
    mp_documentPanel->setBackgroundColour (juce::Colour (0xFFF2F2F2u));

    auto* content = new ContentComp (this);
    content->showThisChildComponent (mp_documentPanel);
    mp_commandManager->registerAllCommandsForTarget (content);

    // Commands go to the content first whatever has the focus (a splash or About
    // box on top, no window active yet); what it does not answer, such as Quit,
    // reaches the application after it.
    mp_commandManager->setFirstCommandTarget (content);

    // The framework's standard Quit, answered by the application.
    if (auto* application = juce::JUCEApplication::getInstance())
        mp_commandManager->registerAllCommandsForTarget (application);

    addKeyListener (mp_commandManager->getKeyMappings());
    setContentOwned (content, false);

    // The desktop has no menu bar of its own: the menus stand in the window from the start.
    setMenuBar (content, 0);
    content->setApplicationCommandManagerToWatch (mp_commandManager.get());

    setVisible (true);
    content->DoFileNew();
}

quillet_Window::~quillet_Window()
{
    FlushAppPropertiesFile();
    setMenuBar (nullptr);
    mp_commandManager->setFirstCommandTarget (nullptr);
    clearContentComponent(); // the panel and every open document go with it, without questions
    mp_documentPanel = nullptr;
    mp_commandManager.reset();
    quilletComponent::SetMainWindow (nullptr);
}

ContentComp* quillet_Window::GetContentComp() const
{
    return dynamic_cast<ContentComp*> (getContentComponent());
}

juce::MultiDocumentPanel* quillet_Window::GetDocumentPanel()
{
    return mp_documentPanel;
}

void quillet_Window::closeButtonPressed()
{
    // One route for every way of quitting, so the questions are asked once and in one place.
    if (auto* application = juce::JUCEApplication::getInstance())
        application->systemRequestedQuit();
    else
        AskToSaveChangedDocuments();
}

bool quillet_Window::AskToSaveChangedDocuments()
{
    for (int i = 0; i < mp_documentPanel->getNumDocuments(); ++i)
        if (auto* document = dynamic_cast<quilletComponent*> (mp_documentPanel->getDocument (i)))
            if (AskToSaveChangesIfNeeded (*document) != juce::FileBasedDocument::savedOk)
                return false;

    return true;
}

//==============================================================================
void quillet_Window::CreateAppPropertiesFile()
{
    m_appPropertiesFile = quilletPropertiesFile::GetLocation();
    quilletPropertiesFile::ReadRecentFiles (m_appPropertiesFile, m_recentFiles);
}

void quillet_Window::FlushAppPropertiesFile()
{
    if (!quilletPropertiesFile::WriteRecentFiles (m_appPropertiesFile, m_recentFiles))
        juce::Logger::outputDebugString ("The properties file could not be written: " +
                                         m_appPropertiesFile.getFullPathName());
}

juce::File quillet_Window::GetBestFolderToOpen()
{
    auto folder = quilletPreferenceData::GetProductDocumentsFolder();
    if (!folder.isDirectory())
        folder = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);

    m_recentFiles.removeNonExistentFiles();
    if (m_recentFiles.getNumFiles() > 0)
        return m_recentFiles.getFile (0).getParentDirectory();

    return folder;
}

quilletComponent* quillet_Window::DoFileOpenPath (const juce::String& path)
{
    auto document = std::make_unique<quilletComponent>();
    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (path);

    if (!document->DoFileOpenPath (file))
        return nullptr; // nothing is reported: the other documents stay as they were

    // Giving the document its file marks it changed; a document just opened has nothing unsaved to ask about.
    document->setChangedFlag (false);
    m_recentFiles.addFile (file);
    return document.release(); // the panel owns it now
}
