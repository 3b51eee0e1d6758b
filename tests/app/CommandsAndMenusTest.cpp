// The command table, the menus built from it, and what each command does.
#include "AppTestSupport.h"

#include "CommandIDs.h"
#include "ProductSite.h"
#include "splashScreen.h"

using namespace app_test;
using namespace CommandIDs;

namespace
{
struct CommandRow
{
    int id;
    const char* name;
    const char* category;
    std::optional<juce::KeyPress> key;
    bool needsDocument;
};

const juce::KeyPress ctrl (char c)
{
    return juce::KeyPress (c, juce::ModifierKeys::commandModifier, 0);
}

const std::vector<CommandRow>& commandTable()
{
    static const std::vector<CommandRow> rows{
        {cmdNativeTitleBar, "Use native window title bar", "Options", std::nullopt, false},
        {cmdNativeMenuBar, "Use the native OSX menu bar", "Options", std::nullopt, false},
        {cmdFileNew, "New", "File", ctrl ('n'), false},
        {cmdFileOpen, "Open...", "File", ctrl ('o'), false},
        {cmdFileClose, "Close", "File", ctrl ('w'), true},
        {cmdFileSave, "Save", "File", ctrl ('s'), true},
        {cmdFileSaveAs, "Save As...", "File",
         juce::KeyPress ('s', juce::ModifierKeys::commandModifier | juce::ModifierKeys::shiftModifier, 0), true},
        {cmdFileExport, "Export...", "File", std::nullopt, true},
        {cmdFloatingWindows, "Use Floating Windows", "Options", std::nullopt, false},
        {cmdTabbedWindows, "Use Tabbed Windows", "Options", std::nullopt, false},
        {cmdOnlineUserGuide, "Online User Guide", "Help", std::nullopt, false},
        {cmdForum, "Quillet Forum", "Help", std::nullopt, false},
        {cmdAbout, "About Quillet", "Help", std::nullopt, false},
        {cmdOnlineLicense, "Online License", "Help", std::nullopt, false},
    };
    return rows;
}

juce::ApplicationCommandInfo infoFor (ContentComp& content, int id)
{
    juce::ApplicationCommandInfo info (id);
    content.getCommandInfo (id, info);
    return info;
}

struct MenuEntry
{
    int id;
    juce::String text;
    bool separator, enabled, ticked, hasSubMenu;
};

std::vector<MenuEntry> entriesOf (const juce::PopupMenu& menu)
{
    std::vector<MenuEntry> entries;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        auto& item = it.getItem();
        entries.push_back (
            {item.itemID, item.text, item.isSeparator, item.isEnabled, item.isTicked, item.subMenu != nullptr});
    }
    return entries;
}

std::vector<int> idsOf (const std::vector<MenuEntry>& entries)
{
    std::vector<int> ids;
    for (auto& e : entries)
        ids.push_back (e.separator ? -1 : e.hasSubMenu ? -2 : e.id);
    return ids;
}

constexpr int quitId = juce::StandardApplicationCommandIDs::quit;
} // namespace

class CommandsTest : public AppTest
{
public:
    TestApplication app; // so that the framework's Quit is registered as in the program
    std::unique_ptr<quillet_Window> window = makeWindow();
    ContentComp& content = *window->GetContentComp();
};

TEST_F (CommandsTest, CommandTableHasTheIdsNamesCategoriesAndKeysInOrder)
{
    juce::Array<juce::CommandID> ids;
    content.getAllCommands (ids);
    const juce::Array<juce::CommandID> expectedOrder{0x200D, 0x2021, 0x200E, 0x2022, 0x2023, 0x2024, 0x2025,
                                                     0x2026, 0x2027, 0x2028, 0x2029, 0x2030, 0x2032, 0x2031};
    EXPECT_EQ (ids, expectedOrder);

    auto* keys = window->mp_commandManager->getKeyMappings();
    for (auto& row : commandTable())
    {
        SCOPED_TRACE (row.name);
        const auto info = infoFor (content, row.id);
        EXPECT_EQ (info.shortName, row.name);
        EXPECT_EQ (info.categoryName, row.category);
        EXPECT_TRUE (info.description.isEmpty());
        EXPECT_EQ (info.defaultKeypresses.size(), row.key ? 1 : 0);
        if (row.key)
        {
            EXPECT_EQ (info.defaultKeypresses[0], *row.key);
            EXPECT_EQ (info.defaultKeypresses[0].getTextCharacter(), 0);
            // Registered with the window's key mappings, so the key works anywhere in the window.
            EXPECT_TRUE (keys->getKeyPressesAssignedToCommand (row.id).contains (*row.key));
        }
        EXPECT_NE (window->mp_commandManager->getCommandForID (row.id), nullptr);
    }

    // The framework's Quit is there too, with Ctrl+Q, answered by the application.
    EXPECT_TRUE (keys->getKeyPressesAssignedToCommand (quitId).contains (ctrl ('q')));

    // Ids outside the table leave the info as it was.
    juce::ApplicationCommandInfo other (quitId);
    other.shortName = "unchanged";
    content.getCommandInfo (quitId, other);
    EXPECT_EQ (other.shortName, "unchanged");
    EXPECT_TRUE (other.defaultKeypresses.isEmpty());
}

TEST_F (CommandsTest, DocumentCommandsAreGreyedWithoutAnActiveDocument)
{
    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 1);

    for (auto& row : commandTable())
    {
        SCOPED_TRACE (row.name);
        const bool expectedActive = row.id != cmdNativeMenuBar; // never available on this desktop
        EXPECT_EQ ((infoFor (content, row.id).flags & juce::ApplicationCommandInfo::isDisabled) == 0, expectedActive);
    }

    window->mp_documentPanel->closeAllDocuments (false);
    ASSERT_EQ (window->mp_documentPanel->getActiveDocument(), nullptr);

    for (auto& row : commandTable())
    {
        SCOPED_TRACE (row.name);
        const bool expectedActive = !row.needsDocument && row.id != cmdNativeMenuBar;
        EXPECT_EQ ((infoFor (content, row.id).flags & juce::ApplicationCommandInfo::isDisabled) == 0, expectedActive);
    }

    // The command manager does not invoke greyed commands; performed anyway, they do nothing and report nothing.
    for (int id : {cmdFileClose, cmdFileSave, cmdFileSaveAs, cmdFileExport})
    {
        EXPECT_FALSE (window->mp_commandManager->invokeDirectly (id, false));
        EXPECT_TRUE (content.perform (juce::ApplicationCommandTarget::InvocationInfo (id)));
    }
    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 0);
}

TEST_F (CommandsTest, TicksFollowTheLayoutAndTitleBar)
{
    auto ticked = [this] (int id)
    { return (infoFor (content, id).flags & juce::ApplicationCommandInfo::isTicked) != 0; };

    EXPECT_TRUE (ticked (cmdTabbedWindows));
    EXPECT_FALSE (ticked (cmdFloatingWindows));
    EXPECT_FALSE (ticked (cmdNativeTitleBar));
    EXPECT_FALSE (ticked (cmdNativeMenuBar));

    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFloatingWindows, false));
    EXPECT_EQ (window->mp_documentPanel->getLayoutMode(), juce::MultiDocumentPanel::FloatingWindows);
    EXPECT_TRUE (ticked (cmdFloatingWindows));
    EXPECT_FALSE (ticked (cmdTabbedWindows));

    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdTabbedWindows, false));
    EXPECT_TRUE (ticked (cmdTabbedWindows));
    EXPECT_FALSE (ticked (cmdFloatingWindows));

    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdNativeTitleBar, false));
    EXPECT_TRUE (window->isUsingNativeTitleBar());
    EXPECT_TRUE (ticked (cmdNativeTitleBar));
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdNativeTitleBar, false));
    EXPECT_FALSE (window->isUsingNativeTitleBar());

    // The greyed native menu bar item changes nothing: the menus stay in the window.
    EXPECT_TRUE (content.perform (juce::ApplicationCommandTarget::InvocationInfo (cmdNativeMenuBar)));
    EXPECT_EQ (window->getMenuBarComponent() != nullptr, true);
}

TEST_F (CommandsTest, MenusStandInTheWindowWithTheirItemsInOrder)
{
    EXPECT_EQ (content.getMenuBarNames(), juce::StringArray ({"File", "Options", "Help"}));

    auto* menuBar = dynamic_cast<juce::MenuBarComponent*> (window->getMenuBarComponent());
    ASSERT_NE (menuBar, nullptr);
    EXPECT_EQ (menuBar->getModel(), &content);
    EXPECT_TRUE (menuBar->isVisible());

    const auto file = entriesOf (content.getMenuForIndex (0, "File"));
    EXPECT_EQ (idsOf (file), (std::vector<int>{cmdFileNew, cmdFileOpen, cmdFileClose, cmdFileSave, cmdFileSaveAs,
                                               cmdFileExport, -1, quitId}));
    EXPECT_EQ (file[1].text, "Open...");
    EXPECT_EQ (file.back().text, "Quit");

    const auto options = entriesOf (content.getMenuForIndex (1, "Options"));
    EXPECT_EQ (idsOf (options),
               (std::vector<int>{cmdFloatingWindows, cmdTabbedWindows, -1, cmdNativeTitleBar, cmdNativeMenuBar}));
    EXPECT_TRUE (options[1].ticked);
    EXPECT_FALSE (options[4].enabled);
    EXPECT_FALSE (options[4].ticked);
    EXPECT_EQ (options[4].text, "Use the native OSX menu bar");

    EXPECT_EQ (idsOf (entriesOf (content.getMenuForIndex (2, "Help"))),
               (std::vector<int>{cmdOnlineUserGuide, cmdForum, cmdOnlineLicense, cmdAbout}));

    EXPECT_TRUE (entriesOf (content.getMenuForIndex (3, "")).empty());
    EXPECT_TRUE (entriesOf (content.getMenuForIndex (-1, "")).empty());

    // Greying in the menu follows the active document.
    window->mp_documentPanel->closeAllDocuments (false);
    const auto greyed = entriesOf (content.getMenuForIndex (0, "File"));
    EXPECT_TRUE (greyed[0].enabled && greyed[1].enabled);
    EXPECT_FALSE (greyed[2].enabled || greyed[3].enabled || greyed[4].enabled || greyed[5].enabled);
}

TEST_F (CommandsTest, RecentFilesSubmenuListsExistingFilesAndOpensThem)
{
    const auto first = makeFile ("songs/first.quillet");
    const auto second = makeFile (utf8 ("songs/Grüße ♪.quillet"));
    const auto vanished = makeFile ("songs/vanished.quillet");
    window->m_recentFiles.addFile (first);
    window->m_recentFiles.addFile (vanished);
    window->m_recentFiles.addFile (second); // most recent first: second, vanished, first
    vanished.deleteFile();

    const auto file = entriesOf (content.getMenuForIndex (0, "File"));
    EXPECT_EQ (idsOf (file), (std::vector<int>{cmdFileNew, cmdFileOpen, cmdFileClose, cmdFileSave, cmdFileSaveAs,
                                               cmdFileExport, -1, -2, -1, quitId}));
    EXPECT_EQ (file[7].text, "Recent Files");
    EXPECT_TRUE (file[7].enabled);

    const auto fileMenu = content.getMenuForIndex (0, "File");
    juce::PopupMenu::MenuItemIterator it (fileMenu);
    juce::PopupMenu* recent = nullptr;
    while (it.next())
        if (it.getItem().subMenu != nullptr)
            recent = it.getItem().subMenu.get();
    ASSERT_NE (recent, nullptr);

    const auto recentEntries = entriesOf (*recent);
    ASSERT_EQ (recentEntries.size(), 2u); // the vanished file was pruned
    EXPECT_EQ (recentEntries[0].id, recentFilesBaseId);
    EXPECT_EQ (recentEntries[0].text, second.getFullPathName());
    EXPECT_EQ (recentEntries[1].id, recentFilesBaseId + 1);
    EXPECT_EQ (recentEntries[1].text, first.getFullPathName());

    // Choosing the second entry opens that file beside "Untitled" and moves it to the front.
    content.menuItemSelected (recentFilesBaseId + 1, 0);
    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 2);
    EXPECT_EQ (documentAt (*window, 1)->getFile(), first);
    EXPECT_EQ (window->m_recentFiles.getFile (0), first);

    // Ids outside the list, and a file that vanished after the menu was built, open nothing and say nothing.
    content.menuItemSelected (recentFilesBaseId + 2, 0);
    content.menuItemSelected (999, 0);
    second.deleteFile();
    content.menuItemSelected (recentFilesBaseId + 1, 0);
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 2);
    EXPECT_TRUE (dialogs.shown.empty());

    // Once no recent file exists any more, the submenu is gone again.
    first.deleteFile();
    EXPECT_EQ (idsOf (entriesOf (content.getMenuForIndex (0, "File"))),
               (std::vector<int>{cmdFileNew, cmdFileOpen, cmdFileClose, cmdFileSave, cmdFileSaveAs, cmdFileExport, -1,
                                 quitId}));
}

TEST_F (CommandsTest, PerformAnswersExactlyItsOwnCommands)
{
    for (auto& row : commandTable())
    {
        if (row.id == cmdFileOpen || row.id == cmdAbout || row.id == cmdFileClose || row.id == cmdFileSaveAs)
            continue; // these show something; they are tried in their own tests
        SCOPED_TRACE (row.name);
        EXPECT_TRUE (content.perform (juce::ApplicationCommandTarget::InvocationInfo (row.id)));
    }

    EXPECT_FALSE (content.perform (juce::ApplicationCommandTarget::InvocationInfo (quitId)));
    EXPECT_FALSE (content.perform (juce::ApplicationCommandTarget::InvocationInfo (0x2033)));
    EXPECT_FALSE (content.perform (juce::ApplicationCommandTarget::InvocationInfo (recentFilesBaseId)));
}

TEST_F (CommandsTest, HelpItemsOpenTheProductPagesThroughTheLauncher)
{
    for (int id : {cmdOnlineUserGuide, cmdForum, cmdOnlineLicense})
        EXPECT_TRUE (window->mp_commandManager->invokeDirectly (id, false));

    juce::StringArray expected;
    expected.add (quillet::getProductPageAddress ("/tools/quillet/doc/index.html"));
    expected.add (quillet::getProductPageAddress ("/forum/redirs/quillet.html"));
    expected.add (quillet::getProductPageAddress ("/company/eula.html"));
    EXPECT_EQ (dialogs.openedAddresses, expected);
    EXPECT_TRUE (dialogs.openedAddresses[0].endsWith ("/tools/quillet/doc/index.html"));
}

TEST_F (CommandsTest, NewAndOpenAddDocumentsAndACancelledOpenDoesNothing)
{
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFileNew, false));
    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 2);
    EXPECT_EQ (documentAt (*window, 1)->getName(), "Untitled");

    dialogs.filesToOpen.push_back (juce::File()); // cancelled
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFileOpen, false));
    ASSERT_EQ (dialogs.count ("open"), 1);
    EXPECT_EQ (dialogs.shown.back().title, "Please choose a file to open...");
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 2);

    const auto song = makeFile ("elsewhere/song.quillet");
    dialogs.filesToOpen.push_back (song);
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFileOpen, false));
    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 3);
    EXPECT_EQ (documentAt (*window, 2)->getFile(), song);
    EXPECT_EQ (documentAt (*window, 2)->getName(), "song");
    EXPECT_EQ (window->m_recentFiles.getFile (0), song);

    // The next dialog starts beside the document just opened.
    EXPECT_EQ (window->GetBestFolderToOpen(), song.getParentDirectory());
}

TEST_F (CommandsTest, CloseAsksOnlyAboutChangedDocumentsAndOnlyOnce)
{
    // Unchanged: closed without a question.
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFileClose, false));
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 0);
    EXPECT_TRUE (dialogs.shown.empty());

    content.DoFileNew();
    activeDocument (*window)->changed();

    // Changed, Cancel: it stays.
    dialogs.yesNoCancelAnswers.push_back (0);
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFileClose, false));
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 1);
    ASSERT_EQ (dialogs.count ("yesnocancel"), 1);
    EXPECT_EQ (dialogs.shown[0].title, "Closing document...");
    EXPECT_EQ (dialogs.shown[0].message, "Do you want to save the changes to \"Untitled\"?");

    // Changed, Discard: closed, and the panel does not ask a second time.
    dialogs.yesNoCancelAnswers.push_back (2);
    dialogs.yesNoCancelAnswers.push_back (0); // would keep it open if it were asked again
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFileClose, false));
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 0);
    EXPECT_EQ (dialogs.count ("yesnocancel"), 2);
}

TEST_F (CommandsTest, CloseWithSaveWritesTheDocumentFirst)
{
    activeDocument (*window)->changed();
    const auto target = activeDocument (*window)->getFile();
    ASSERT_FALSE (target.exists());

    dialogs.yesNoCancelAnswers.push_back (1); // Save
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdFileClose, false));
    EXPECT_TRUE (target.existsAsFile());
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 0);
    EXPECT_EQ (window->m_recentFiles.getFile (0), target);
}

TEST_F (CommandsTest, ClosingAFloatingWindowAsksAboutChanges)
{
    content.DoFileNew();
    window->mp_documentPanel->setLayoutMode (juce::MultiDocumentPanel::FloatingWindows);
    pump();

    auto* document = documentAt (*window, 1);
    document->changed();
    auto* floatingWindow = document->findParentComponentOfClass<juce::MultiDocumentPanelWindow>();
    ASSERT_NE (floatingWindow, nullptr);

    dialogs.yesNoCancelAnswers.push_back (0); // Cancel
    floatingWindow->closeButtonPressed();
    pump();
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 2);
    EXPECT_EQ (dialogs.count ("yesnocancel"), 1);

    dialogs.yesNoCancelAnswers.push_back (2); // Discard changes
    floatingWindow->closeButtonPressed();
    pump();
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 1);
    EXPECT_EQ (dialogs.count ("yesnocancel"), 2);

    // An unchanged floating document goes without a question.
    documentAt (*window, 0)->findParentComponentOfClass<juce::MultiDocumentPanelWindow>()->closeButtonPressed();
    pump();
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 0);
    EXPECT_EQ (dialogs.count ("yesnocancel"), 2);
}

TEST_F (CommandsTest, KeysInvokeTheirCommands)
{
    auto* keys = window->mp_commandManager->getKeyMappings();
    EXPECT_TRUE (keys->keyPressed (ctrl ('n'), window.get()));
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 2);

    EXPECT_TRUE (keys->keyPressed (ctrl ('w'), window.get()));
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 1);

    EXPECT_TRUE (keys->keyPressed (ctrl ('o'), window.get()));
    EXPECT_EQ (dialogs.count ("open"), 1);

    activeDocument (*window)->changed();
    dialogs.filesToSave.push_back (root.getChildFile ("saved-as.quillet"));
    EXPECT_TRUE (keys->keyPressed (
        juce::KeyPress ('s', juce::ModifierKeys::commandModifier | juce::ModifierKeys::shiftModifier, 0),
        window.get()));
    EXPECT_EQ (dialogs.count ("save"), 1);
    EXPECT_TRUE (root.getChildFile ("saved-as.quillet").existsAsFile());
    EXPECT_FALSE (activeDocument (*window)->hasChangedSinceSaved());
}

TEST_F (CommandsTest, AboutShowsTheSplashUntilClicked)
{
    auto findSplash = []() -> BwSplashScreen*
    {
        for (int i = 0; i < juce::Desktop::getInstance().getNumComponents(); ++i)
            if (auto* splash = dynamic_cast<BwSplashScreen*> (juce::Desktop::getInstance().getComponent (i)))
                return splash;
        return nullptr;
    };

    ASSERT_EQ (findSplash(), nullptr);
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (cmdAbout, false));
    juce::Component::SafePointer<BwSplashScreen> splash (findSplash());
    ASSERT_NE (splash, nullptr);
    EXPECT_EQ (splash->getName(), "brackwater quillet");
    EXPECT_EQ (splash->getWidth(), 300);
    EXPECT_EQ (splash->getHeight(), 340);
    EXPECT_TRUE (splash->isAlwaysOnTop());

    pump (BwSplashScreen::timerIntervalMs * 3);
    ASSERT_NE (splash, nullptr); // still there: it waits for a click

    mouseDownOn (*splash);
    EXPECT_EQ (splash, nullptr);
}
