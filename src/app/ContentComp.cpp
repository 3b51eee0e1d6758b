#include "ContentComp.h"

#include "CommandIDs.h"
#include "ModalDialogs.h"
#include "ProductSite.h"
#include "quilletComponent.h"
#include "quilletSaveQuestion.h"
#include "quillet_MultiDocumentPanel.h"
#include "quillet_Window.h"
#include "splashScreen.h"

#if QUILLET_HAVE_RESOURCES
#include "quilletResources.h"
#endif

namespace
{
const juce::String versionText ("v1.0.0.23");
const juce::String splashTitle ("brackwater quillet");
constexpr int aboutBoxDisplayTimeMs = 0x7FFFFFFF; // until clicked

juce::KeyPress commandKey (char letter, int extraModifiers = 0)
{
    return juce::KeyPress (letter, juce::ModifierKeys::commandModifier | extraModifiers, 0);
}
} // namespace

ContentComp::ContentComp (quillet_Window* window)
    : mp_window (window)
{
    juce::LookAndFeel::setDefaultLookAndFeel (&mp_window->m_lookAndFeel);
}

ContentComp::~ContentComp()
{
    juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    deleteAllChildren(); // the document panel, and with it every open document
}

void ContentComp::showThisChildComponent (juce::Component* child)
{
    mp_shownChild = child;
    addAndMakeVisible (child);
    resized();
}

void ContentComp::resized()
{
    if (mp_shownChild != nullptr)
        mp_shownChild->setBounds (0, 0, getWidth(), getHeight());

    // The first real size of the window fixes how small it may become, once per run.
    if (!mp_window->m_minimumSizeSet && mp_window->getWidth() >= 1 && mp_window->getHeight() >= 1)
    {
        mp_window->m_minimumSizeSet = true;
        mp_window->setResizeLimits (mp_window->getWidth() / 2, (2 * mp_window->getHeight()) / 3, 0x3FFFFFFF,
                                    0x3FFFFFFF);
    }
}

//==============================================================================
juce::StringArray ContentComp::getMenuBarNames()
{
    return {"File", "Options", "Help"};
}

juce::PopupMenu ContentComp::getMenuForIndex (int topLevelMenuIndex, const juce::String&)
{
    switch (topLevelMenuIndex)
    {
    case 0:
        return createFileMenu();
    case 1:
        return createOptionsMenu();
    case 2:
        return createHelpMenu();
    default:
        return {};
    }
}

juce::PopupMenu ContentComp::createFileMenu()
{
    auto* commands = mp_window->mp_commandManager.get();
    juce::PopupMenu menu;
    menu.addCommandItem (commands, CommandIDs::cmdFileNew);
    menu.addCommandItem (commands, CommandIDs::cmdFileOpen);
    menu.addCommandItem (commands, CommandIDs::cmdFileClose);
    menu.addCommandItem (commands, CommandIDs::cmdFileSave);
    menu.addCommandItem (commands, CommandIDs::cmdFileSaveAs);
    menu.addCommandItem (commands, CommandIDs::cmdFileExport);

    auto& recentFiles = mp_window->m_recentFiles;
    recentFiles.removeNonExistentFiles();

    if (recentFiles.getNumFiles() > 0)
    {
        juce::PopupMenu recentMenu;
        recentFiles.createPopupMenuItems (recentMenu, CommandIDs::recentFilesBaseId, true, true, nullptr);
        menu.addSeparator();
        menu.addSubMenu ("Recent Files", recentMenu, true);
    }

    menu.addSeparator();
    menu.addCommandItem (commands, juce::StandardApplicationCommandIDs::quit);
    return menu;
}

juce::PopupMenu ContentComp::createOptionsMenu()
{
    auto* commands = mp_window->mp_commandManager.get();
    juce::PopupMenu menu;
    menu.addCommandItem (commands, CommandIDs::cmdFloatingWindows);
    menu.addCommandItem (commands, CommandIDs::cmdTabbedWindows);
    menu.addSeparator();
    menu.addCommandItem (commands, CommandIDs::cmdNativeTitleBar);
    menu.addCommandItem (commands, CommandIDs::cmdNativeMenuBar);
    return menu;
}

juce::PopupMenu ContentComp::createHelpMenu()
{
    auto* commands = mp_window->mp_commandManager.get();
    juce::PopupMenu menu;
    menu.addCommandItem (commands, CommandIDs::cmdOnlineUserGuide);
    menu.addCommandItem (commands, CommandIDs::cmdForum);
    menu.addCommandItem (commands, CommandIDs::cmdOnlineLicense);
    menu.addCommandItem (commands, CommandIDs::cmdAbout);
    return menu;
}

void ContentComp::menuItemSelected (int menuItemID, int)
{
    const int index = menuItemID - CommandIDs::recentFilesBaseId;
    auto& recentFiles = mp_window->m_recentFiles;

    if (menuItemID < CommandIDs::recentFilesBaseId || index >= recentFiles.getNumFiles())
        return;

    // A file that vanished since the menu was built simply opens nothing.
    const auto path = recentFiles.getFile (index).getFullPathName();
    if (path.isNotEmpty())
        mp_window->DoFileOpenPath (path);
}

//==============================================================================
juce::ApplicationCommandTarget* ContentComp::getNextCommandTarget()
{
    return findFirstTargetParentComponent();
}

void ContentComp::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    using namespace CommandIDs;
    commands.addArray ({cmdNativeTitleBar, cmdFileNew, cmdNativeMenuBar, cmdFileOpen, cmdFileClose, cmdFileSave,
                        cmdFileSaveAs, cmdFileExport, cmdFloatingWindows, cmdTabbedWindows, cmdOnlineUserGuide,
                        cmdForum, cmdOnlineLicense, cmdAbout});
}

void ContentComp::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    using namespace CommandIDs;
    const bool hasActiveDocument =
        mp_window->mp_documentPanel != nullptr && mp_window->mp_documentPanel->getActiveDocument() != nullptr;
    const auto layoutMode = mp_window->mp_documentPanel != nullptr ? mp_window->mp_documentPanel->getLayoutMode()
                                                                   : juce::MultiDocumentPanel::MaximisedWindowsWithTabs;

    switch (commandID)
    {
    case cmdNativeTitleBar:
        result.setInfo ("Use native window title bar", {}, "Options", 0);
        result.setTicked (mp_window->isUsingNativeTitleBar());
        break;
    case cmdNativeMenuBar:
        result.setInfo ("Use the native OSX menu bar", {}, "Options", 0);
        result.setTicked (false);
        result.setActive (nativeMenuBarAvailable);
        break;
    case cmdFileNew:
        result.setInfo ("New", {}, "File", 0);
        result.defaultKeypresses.add (commandKey ('n'));
        break;
    case cmdFileOpen:
        result.setInfo ("Open...", {}, "File", 0);
        result.defaultKeypresses.add (commandKey ('o'));
        break;
    case cmdFileClose:
        result.setInfo ("Close", {}, "File", 0);
        result.setActive (hasActiveDocument);
        result.defaultKeypresses.add (commandKey ('w'));
        break;
    case cmdFileSave:
        result.setInfo ("Save", {}, "File", 0);
        result.setActive (hasActiveDocument);
        result.defaultKeypresses.add (commandKey ('s'));
        break;
    case cmdFileSaveAs:
        result.setInfo ("Save As...", {}, "File", 0);
        result.setActive (hasActiveDocument);
        result.defaultKeypresses.add (commandKey ('s', juce::ModifierKeys::shiftModifier));
        break;
    case cmdFileExport:
        result.setInfo ("Export...", {}, "File", 0);
        result.setActive (hasActiveDocument);
        break;
    case cmdFloatingWindows:
        result.setInfo ("Use Floating Windows", {}, "Options", 0);
        result.setTicked (layoutMode == juce::MultiDocumentPanel::FloatingWindows);
        break;
    case cmdTabbedWindows:
        result.setInfo ("Use Tabbed Windows", {}, "Options", 0);
        result.setTicked (layoutMode == juce::MultiDocumentPanel::MaximisedWindowsWithTabs);
        break;
    case cmdOnlineUserGuide:
        result.setInfo ("Online User Guide", {}, "Help", 0);
        break;
    case cmdForum:
        result.setInfo ("Quillet Forum", {}, "Help", 0);
        break;
    case cmdAbout:
        result.setInfo ("About Quillet", {}, "Help", 0);
        break;
    case cmdOnlineLicense:
        result.setInfo ("Online License", {}, "Help", 0);
        break;
    default:
        break;
    }
}

bool ContentComp::perform (const InvocationInfo& info)
{
    using namespace CommandIDs;
    auto* panel = mp_window->mp_documentPanel;
    auto* document = dynamic_cast<quilletComponent*> (panel->getActiveDocument());

    switch (info.commandID)
    {
    case cmdNativeTitleBar:
        mp_window->setUsingNativeTitleBar (!mp_window->isUsingNativeTitleBar());
        break;
    case cmdNativeMenuBar:
        break; // greyed: there is no desktop menu bar to move the menus into
    case cmdFileNew:
        DoFileNew();
        break;
    case cmdFileOpen:
    {
        const auto file = ModalDialogs::get().browseForFileToOpen ("Please choose a file to open...",
                                                                   mp_window->GetBestFolderToOpen(), "*.quillet;*.txt");
        if (file != juce::File())
            mp_window->DoFileOpenPath (file.getFullPathName());
        break;
    }
    case cmdFileClose:
        closeActiveDocument();
        break;
    case cmdFileSave:
        if (document != nullptr)
            document->SaveForSaveCommand();
        break;
    case cmdFileSaveAs:
        if (document != nullptr)
            document->SaveAsForSaveAsCommand();
        break;
    case cmdFileExport:
        if (document != nullptr)
            document->DoExport();
        break;
    case cmdFloatingWindows:
        panel->setLayoutMode (juce::MultiDocumentPanel::FloatingWindows);
        break;
    case cmdTabbedWindows:
        panel->setLayoutMode (juce::MultiDocumentPanel::MaximisedWindowsWithTabs);
        break;
    case cmdOnlineUserGuide:
        ModalDialogs::get().openAddress (quillet::getProductPageAddress ("/tools/quillet/doc/index.html"));
        break;
    case cmdForum:
        ModalDialogs::get().openAddress (quillet::getProductPageAddress ("/forum/redirs/quillet.html"));
        break;
    case cmdOnlineLicense:
        ModalDialogs::get().openAddress (quillet::getProductPageAddress ("/company/eula.html"));
        break;
    case cmdAbout:
        ShowSplashScreen (aboutBoxDisplayTimeMs);
        break;
    default:
        return false;
    }

    return true;
}

void ContentComp::closeActiveDocument()
{
    auto* panel = mp_window->mp_documentPanel;

    if (auto* document = dynamic_cast<quilletComponent*> (panel->getActiveDocument()))
        if (AskToSaveChangesIfNeeded (*document) == juce::FileBasedDocument::savedOk)
            panel->CloseDocumentAlreadyAsked (document);

    menuItemsChanged();
}

BwSplashScreen* ContentComp::ShowSplashScreen (int displayTimeMs)
{
#if QUILLET_HAVE_RESOURCES
    auto image = juce::ImageCache::getFromMemory (quilletResources::splash_png, quilletResources::splash_pngSize);
#else
    juce::Image image;
#endif
    if (!image.isValid())
        return nullptr;

    // The image is the cached one, so a second About box draws the same text again at the same place.
    splash_OverlayVersionText (image, versionText);
    auto* splash = new BwSplashScreen(); // owns itself from here on
    splash->show (splashTitle, image, displayTimeMs, true);
    return splash;
}

//==============================================================================
void ContentComp::DoFileNew()
{
    menuItemsChanged();

    auto document = std::make_unique<quilletComponent>();
    const auto path =
        mp_window->GetBestFolderToOpen().getFullPathName() + juce::File::getSeparatorString() + "untitled.quillet";
    document->SetPathEtc (path, &mp_window->m_recentFiles);
    document->setName ("Untitled");
    document->m_documentTitle = "Untitled";
    document->setChangedFlag (false); // giving it its file marked it changed; an empty new document has no changes

    if (mp_window->mp_documentPanel->addDocument (document.get(), juce::Colour (0xFFFCEFEFu), true))
        document.release(); // the panel owns it now and deletes it when it is closed
}
