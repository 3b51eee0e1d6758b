// The command table, the menus built from it, and what the commands do.
#include "AppTestSupport.h"

#include "CommandIDs.h"
#include "ProductSite.h"

using namespace app_test;
using namespace CommandIDs;

namespace
{
constexpr int quitId = juce::StandardApplicationCommandIDs::quit;

juce::KeyPress ctrl (char c, int extraModifiers = 0)
{
    return juce::KeyPress (c, juce::ModifierKeys::commandModifier | extraModifiers, 0);
}

/** A menu as text: items by name, "-" for a separator, a submenu's items with their ids in brackets. */
juce::String layoutOf (const juce::PopupMenu& menu, bool withIds = false)
{
    juce::StringArray items;
    for (juce::PopupMenu::MenuItemIterator it (menu); it.next();)
    {
        const auto& item = it.getItem();
        const auto submenu = item.subMenu != nullptr ? " [" + layoutOf (*item.subMenu, true) + "]" : juce::String();
        items.add (item.isSeparator ? "-" : (withIds ? juce::String (item.itemID) + " " : "") + item.text + submenu);
    }
    return items.joinIntoString (", ");
}
} // namespace

class CommandsTest : public AppTest
{
public:
    juce::ApplicationCommandInfo info (int id)
    {
        juce::ApplicationCommandInfo result (id);
        content.getCommandInfo (id, result);
        return result;
    }

    bool has (int id, int flag) { return (info (id).flags & flag) != 0; }
    bool invoke (int id) { return window->mp_commandManager->invokeDirectly (id, false); }
    bool perform (int id) { return content.perform (juce::ApplicationCommandTarget::InvocationInfo (id)); }
    int numDocuments() const { return window->mp_documentPanel->getNumDocuments(); }

    quilletApplication app; // so that the framework's Quit is registered as in the program
    std::unique_ptr<quillet_Window> window = makeWindow();
    ContentComp& content = *window->GetContentComp();
};

TEST_F (CommandsTest, TableGivesEachCommandItsNameCategoryKeyAndGreying)
{
    constexpr auto disabled = juce::ApplicationCommandInfo::isDisabled;
    struct Row
    {
        int id;
        const char *name, *category;
        std::optional<juce::KeyPress> key;
        bool needsDocument;
    };
    // In the order getAllCommands gives them.
    const Row rows[] = {{cmdNativeTitleBar, "Use native window title bar", "Options", {}, false},
                        {cmdFileNew, "New", "File", ctrl ('n'), false},
                        {cmdNativeMenuBar, "Use the native OSX menu bar", "Options", {}, false},
                        {cmdFileOpen, "Open...", "File", ctrl ('o'), false},
                        {cmdFileClose, "Close", "File", ctrl ('w'), true},
                        {cmdFileSave, "Save", "File", ctrl ('s'), true},
                        {cmdFileSaveAs, "Save As...", "File", ctrl ('s', juce::ModifierKeys::shiftModifier), true},
                        {cmdFileExport, "Export...", "File", {}, true},
                        {cmdFloatingWindows, "Use Floating Windows", "Options", {}, false},
                        {cmdTabbedWindows, "Use Tabbed Windows", "Options", {}, false},
                        {cmdOnlineUserGuide, "Online User Guide", "Help", {}, false},
                        {cmdForum, "Quillet Forum", "Help", {}, false},
                        {cmdOnlineLicense, "Online License", "Help", {}, false},
                        {cmdAbout, "About Quillet", "Help", {}, false}};

    juce::Array<juce::CommandID> ids;
    content.getAllCommands (ids);
    ASSERT_EQ (ids.size(), (int)std::size (rows));
    auto* keys = window->mp_commandManager->getKeyMappings();

    for (int i = 0; i < ids.size(); ++i)
    {
        const auto& row = rows[i];
        SCOPED_TRACE (row.name);
        EXPECT_EQ (ids[i], row.id);
        const auto rowInfo = info (row.id);
        EXPECT_EQ (rowInfo.shortName, row.name);
        EXPECT_EQ (rowInfo.categoryName, row.category);
        EXPECT_EQ (rowInfo.defaultKeypresses,
                   row.key ? juce::Array<juce::KeyPress>{*row.key} : juce::Array<juce::KeyPress>{});
        // Registered with the window's key mappings, so the key works anywhere in the window.
        EXPECT_TRUE (!row.key || keys->getKeyPressesAssignedToCommand (row.id).contains (*row.key));
        // With "Untitled" active only the native menu bar is greyed (this desktop has none), and of the layouts
        // only the tabbed one is ticked.
        EXPECT_EQ (has (row.id, disabled), row.id == cmdNativeMenuBar);
        EXPECT_EQ (has (row.id, juce::ApplicationCommandInfo::isTicked), row.id == cmdTabbedWindows);
    }
    EXPECT_TRUE (keys->getKeyPressesAssignedToCommand (quitId).contains (ctrl ('q')));

    // Without an active document the document commands are greyed; performed anyway, they do nothing.
    window->mp_documentPanel->closeAllDocuments (false);
    for (auto& row : rows)
    {
        SCOPED_TRACE (row.name);
        EXPECT_EQ (has (row.id, disabled), row.needsDocument || row.id == cmdNativeMenuBar);
        EXPECT_TRUE (!row.needsDocument || (!invoke (row.id) && perform (row.id)));
    }
    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_EQ (numDocuments(), 0);
    EXPECT_FALSE (perform (quitId) || perform (recentFilesBaseId)); // left to the application and the menu
}

TEST_F (CommandsTest, MenusListTheirCommandsAndTheRecentFilesThatStillExist)
{
    EXPECT_EQ (content.getMenuBarNames(), juce::StringArray ({"File", "Options", "Help"}));
    auto* menuBar = dynamic_cast<juce::MenuBarComponent*> (window->getMenuBarComponent());
    ASSERT_NE (menuBar, nullptr);
    EXPECT_EQ (menuBar->getModel(), &content);
    EXPECT_TRUE (perform (cmdNativeMenuBar)); // greyed: the menus stay in the window
    EXPECT_EQ (window->getMenuBarComponent(), menuBar);

    const juce::String fileCommands = "New, Open..., Close, Save, Save As..., Export..., ";
    EXPECT_EQ (layoutOf (content.getMenuForIndex (0, "File")), fileCommands + "-, Quit");
    EXPECT_EQ (layoutOf (content.getMenuForIndex (1, "Options")),
               "Use Floating Windows, Use Tabbed Windows, -, "
               "Use native window title bar, Use the native OSX menu bar");
    EXPECT_EQ (layoutOf (content.getMenuForIndex (2, "Help")),
               "Online User Guide, Quillet Forum, Online License, About Quillet");

    const auto first = makeFile ("songs/first.quillet");
    const auto second = makeFile (utf8 ("songs/Grüße ♪.quillet"));
    const auto vanished = makeFile ("songs/vanished.quillet");
    for (auto& file : {first, vanished, second})
        window->m_recentFiles.addFile (file); // the most recent first: second, vanished, first
    vanished.deleteFile();
    EXPECT_EQ (layoutOf (content.getMenuForIndex (0, "File")), fileCommands + "-, Recent Files [1000 " +
                                                                   second.getFullPathName() + ", 1001 " +
                                                                   first.getFullPathName() + "], -, Quit");

    // Choosing an entry opens that file beside "Untitled" and moves it to the front.
    content.menuItemSelected (recentFilesBaseId + 1, 0);
    ASSERT_EQ (numDocuments(), 2);
    EXPECT_EQ (documentAt (*window, 1)->getFile(), first);
    EXPECT_EQ (window->m_recentFiles.getFile (0), first);

    second.deleteFile();
    first.deleteFile();
    EXPECT_EQ (layoutOf (content.getMenuForIndex (0, "File")), fileCommands + "-, Quit");
}

TEST_F (CommandsTest, CommandsAndTheirKeysDoTheirWork)
{
    auto* keys = window->mp_commandManager->getKeyMappings();
    EXPECT_TRUE (keys->keyPressed (ctrl ('n'), window.get()));
    EXPECT_EQ (numDocuments(), 2);
    EXPECT_TRUE (keys->keyPressed (ctrl ('w'), window.get()));
    EXPECT_EQ (numDocuments(), 1);

    // Open: a cancelled choice opens nothing, a chosen file opens beside "Untitled".
    const auto song = makeFile ("elsewhere/song.quillet");
    dialogs.filesToOpen = {juce::File(), song};
    EXPECT_TRUE (keys->keyPressed (ctrl ('o'), window.get()));
    EXPECT_EQ (numDocuments(), 1);
    EXPECT_TRUE (invoke (cmdFileOpen));
    EXPECT_EQ (dialogs.shown.back().title, "Please choose a file to open...");
    ASSERT_EQ (numDocuments(), 2);
    EXPECT_EQ (documentAt (*window, 1)->getName(), "song");

    // The help items open the product's pages through the launcher.
    for (int id : {cmdOnlineUserGuide, cmdForum, cmdOnlineLicense})
        EXPECT_TRUE (invoke (id));
    EXPECT_EQ (dialogs.openedAddresses,
               juce::StringArray (quillet::getProductPageAddress ("/tools/quillet/doc/index.html"),
                                  quillet::getProductPageAddress ("/forum/redirs/quillet.html"),
                                  quillet::getProductPageAddress ("/company/eula.html")));
}

TEST_F (CommandsTest, ClosingAsksOnlyAboutAChangedDocumentAndOnlyOnce)
{
    EXPECT_TRUE (invoke (cmdFileClose)); // unchanged: no question
    EXPECT_EQ (numDocuments(), 0);
    EXPECT_TRUE (dialogs.shown.empty());

    content.DoFileNew();
    documentAt (*window, 0)->changed();
    dialogs.yesNoCancelAnswers = {0, 2, 0}; // Cancel; then Discard, and Cancel if the panel asked again
    EXPECT_TRUE (invoke (cmdFileClose));
    EXPECT_EQ (numDocuments(), 1);
    EXPECT_TRUE (invoke (cmdFileClose));
    EXPECT_EQ (numDocuments(), 0);
    EXPECT_EQ (dialogs.count ("yesnocancel"), 2);

    // A floating window's close button asks the same way: Cancel keeps it, Discard lets it go.
    content.DoFileNew();
    EXPECT_TRUE (invoke (cmdFloatingWindows));
    pump();
    documentAt (*window, 0)->changed();
    auto* floating = documentAt (*window, 0)->findParentComponentOfClass<juce::MultiDocumentPanelWindow>();
    ASSERT_NE (floating, nullptr);
    dialogs.yesNoCancelAnswers = {0, 2};
    floating->closeButtonPressed();
    pump();
    ASSERT_EQ (numDocuments(), 1);
    floating->closeButtonPressed();
    pump();
    EXPECT_EQ (numDocuments(), 0);
    EXPECT_EQ (dialogs.count ("yesnocancel"), 4);
}

TEST_F (CommandsTest, LayoutAndTitleBarCommandsMoveTheirTicks)
{
    constexpr auto ticked = juce::ApplicationCommandInfo::isTicked;
    EXPECT_TRUE (invoke (cmdFloatingWindows));
    EXPECT_EQ (window->mp_documentPanel->getLayoutMode(), juce::MultiDocumentPanel::FloatingWindows);
    EXPECT_TRUE (has (cmdFloatingWindows, ticked) && !has (cmdTabbedWindows, ticked));
    EXPECT_TRUE (invoke (cmdTabbedWindows));
    EXPECT_TRUE (has (cmdTabbedWindows, ticked) && !has (cmdFloatingWindows, ticked));

    EXPECT_TRUE (invoke (cmdNativeTitleBar));
    EXPECT_TRUE (window->isUsingNativeTitleBar() && has (cmdNativeTitleBar, ticked));
    EXPECT_TRUE (invoke (cmdNativeTitleBar));
    EXPECT_FALSE (window->isUsingNativeTitleBar() || has (cmdNativeTitleBar, ticked));
}
