// The idea editors: the word under the mouse, the menu, the searches and the
// idea text files.
#include "EditorTestSupport.h"
#include "LookupAddresses.h"
#include "ScriptedDialogs.h"
#include "searchableTextEditor.h"

#include <csignal>
#include <sys/resource.h>

using namespace editortest;

namespace
{
struct IdeaEditor : public ::testing::Test
{
    WorkspaceStandIn workspace;
    ScriptedDialogs dialogs;
    searchableTextEditor editor{"TextEditor1", 0};
    TempFolder temp;

    void SetUp() override
    {
        editor.setMultiLine (true);
        editor.setReturnKeyStartsNewLine (true);
        editor.setSize (400, 300);
        editor.SetQuilletComponent (&workspace);
    }

    juce::PopupMenu menuAt (const juce::MouseEvent* click)
    {
        juce::PopupMenu menu;
        editor.addPopupMenuItems (menu, click);
        return menu;
    }

    juce::PopupMenu menuAtCharacter (int index)
    {
        const auto click = rightClickAt (editor, pointOnCharacter (editor, index));
        return menuAt (&click);
    }

    juce::String itemLabel (const juce::PopupMenu& menu, int id)
    {
        for (juce::PopupMenu::MenuItemIterator it (menu, true); it.next();)
            if (it.getItem().itemID == id)
                return it.getItem().text;
        return "(none)";
    }
};

const juce::StringArray menuWithoutWord{">Edit...", ">Idea Text File...", "-", "5:Show Web Browser"};
} // namespace

TEST_F (IdeaEditor, FindsTheWordAtAnIndex)
{
    const juce::String text ("hello world, a b 42x. 7");
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 6), "world");  // on the w
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 9), "world");  // inside it
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 5), "hello");  // the blank after hello
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 11), "world"); // the comma after world
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 13), "");      // the one-letter word a
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 16), "");      // the blank after b
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 18), "42x");
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 22), ""); // the digit 7 alone
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, 23), ""); // past the text
    EXPECT_EQ (searchableTextEditor::FindLookupWordAt ("", 0), "");
}

TEST_F (IdeaEditor, MenuForTheWordUnderTheMouse)
{
    editor.setText ("hello world");

    auto menu = menuAtCharacter (6);
    EXPECT_EQ (describe (menu), juce::StringArray ({"1:Thesaurus - world", "2:Dictionary - world", "3:Search - world",
                                                    "-", "4:Search for all words! ", "-", ">Edit...",
                                                    ">Idea Text File...", "-", "5:Show Web Browser"}));
    EXPECT_EQ (describe (*findSubMenu (menu, "Idea Text File...")), juce::StringArray ({"18:Open...", "19:Save..."}));
    EXPECT_EQ (describe (*findSubMenu (menu, "Edit...")), frameworkEditItems (editor));

    menu = menuAtCharacter (5); // the blank between the words
    EXPECT_EQ (itemLabel (menu, 1), "Thesaurus - hello");
}

TEST_F (IdeaEditor, MenuWithoutAWord)
{
    editor.setText ("I a");
    EXPECT_EQ (describe (menuAtCharacter (0)), menuWithoutWord);

    editor.setText ({});
    EXPECT_EQ (describe (menuAt (nullptr)), menuWithoutWord);

    editor.setReadOnly (true);
    const auto menu = menuAt (nullptr);
    EXPECT_EQ (describe (*findSubMenu (menu, "Idea Text File...")),
               juce::StringArray ({"18:Open... (off)", "19:Save... (off)"}));
}

TEST_F (IdeaEditor, SearchesTheTrimmedHighlightOrAllWords)
{
    editor.setText ("  the quick brown fox  and more");
    editor.setHighlightedRegion ({0, 23});
    auto menu = menuAtCharacter (6);
    EXPECT_EQ (itemLabel (menu, 4), "Search highlight - (the quick ...)");
    editor.performPopupMenuAction (4);

    editor.setHighlightedRegion ({2, 3}); // one character counts as none
    menu = menuAtCharacter (6);
    EXPECT_EQ (itemLabel (menu, 4), "Search for all words! ");

    editor.setText ("rain, rain, go away!");
    menu = menuAtCharacter (0);
    editor.performPopupMenuAction (4);

    const juce::String searchStart ("#https://www.google.com/search?hl=en&lr=&as_qdr=all&q=");
    ASSERT_EQ (dialogs.openedAddresses.size(), 2);
    EXPECT_TRUE (dialogs.openedAddresses[0].endsWith (searchStart + "the+quick+brown+fox&btnG=Search"))
        << dialogs.openedAddresses[0];
    EXPECT_TRUE (dialogs.openedAddresses[1].endsWith (searchStart + "rain+rain+go+away&btnG=Search"))
        << dialogs.openedAddresses[1];
}

TEST_F (IdeaEditor, LookUpsAndTheHomePageLeaveTheDocumentAlone)
{
    editor.setText ("hello world");
    menuAtCharacter (0);
    for (int id : {1, 2, 3, 5})
        editor.performPopupMenuAction (id);

    EXPECT_EQ (dialogs.openedAddresses,
               juce::StringArray (LookupAddresses::ForThesaurus ("hello"), LookupAddresses::ForDictionary ("hello"),
                                  LookupAddresses::ForSearch ("hello"), LookupAddresses::ForProductHome()));
    EXPECT_TRUE (dialogs.openedAddresses[3].endsWith ("/tools/quillet/doc/index.html"));
    EXPECT_EQ (workspace.changedCount, 0);
}

TEST_F (IdeaEditor, EditingItemsMarkTheDocumentChangedButSaveDoesNot)
{
    editor.setText ("hello world");
    editor.setHighlightedRegion ({0, 5});
    editor.performPopupMenuAction (juce::StandardApplicationCommandIDs::copy);
    EXPECT_EQ (workspace.changedCount, 1);

    editor.performPopupMenuAction (19); // the chooser is cancelled
    EXPECT_EQ (dialogs.count ("save"), 1);
    EXPECT_EQ (workspace.changedCount, 1);
}

TEST_F (IdeaEditor, OpenLoadsAFileAndMarksTheDocumentEvenWhenCancelled)
{
    editor.setText ("old");
    editor.performPopupMenuAction (18);
    EXPECT_EQ (workspace.changedCount, 1);
    EXPECT_EQ (editor.getText(), "old");
    ASSERT_EQ (dialogs.shown.size(), 1u);
    EXPECT_EQ (dialogs.shown[0].title, "Please choose a file to load as an idea...");

    const auto file = temp.folder.getChildFile ("idea.txt");
    const juce::String text (juce::CharPointer_UTF8 ("caf\xc3\xa9\r\nna\xc3\xafve"));
    ASSERT_TRUE (file.replaceWithText (text, false, false, nullptr));
    dialogs.filesToOpen.push_back (file);
    editor.performPopupMenuAction (18);
    EXPECT_EQ (editor.getText(), text.replace ("\r\n", "\n"));
    EXPECT_EQ (workspace.changedCount, 2);
}

TEST_F (IdeaEditor, SaveAppendsTxtOnlyWithoutAnExtensionAndWritesUtf8)
{
    const juce::String text (juce::CharPointer_UTF8 ("Caf\xc3\xa9 au lait\nd\xc3\xa9j\xc3\xa0 vu"));
    editor.setText (text);

    dialogs.filesToSave.push_back (temp.folder.getChildFile ("notes"));
    EXPECT_TRUE (editor.DoSaveTextToFile());
    const auto saved = temp.folder.getChildFile ("notes.txt");
    ASSERT_TRUE (saved.existsAsFile());
    EXPECT_FALSE (temp.folder.getChildFile ("notes").exists());

    juce::MemoryBlock bytes;
    ASSERT_TRUE (saved.loadFileAsData (bytes));
    EXPECT_EQ (bytes.getSize(), text.getNumBytesAsUTF8());
    EXPECT_EQ (0, memcmp (bytes.getData(), text.toRawUTF8(), bytes.getSize()));

    dialogs.filesToSave.push_back (temp.folder.getChildFile ("notes.text"));
    EXPECT_TRUE (editor.DoSaveTextToFile());
    EXPECT_TRUE (temp.folder.getChildFile ("notes.text").existsAsFile());
    EXPECT_FALSE (temp.folder.getChildFile ("notes.text.txt").exists());
    EXPECT_EQ (dialogs.shown.size(), 2u); // two choosers, no other question
}

TEST_F (IdeaEditor, OverwriteQuestionLoopsBackToTheChooser)
{
    const auto existing = temp.folder.getChildFile ("old.txt");
    ASSERT_TRUE (existing.replaceWithText ("old text"));
    editor.setText ("new text");

    // "cancel" opens the chooser again; "overwrite" on the second round replaces the file.
    dialogs.filesToSave = {temp.folder.getChildFile ("old"), existing};
    dialogs.okCancelAnswers = {false, true};
    EXPECT_TRUE (editor.DoSaveTextToFile());

    ASSERT_EQ (dialogs.shown.size(), 4u);
    EXPECT_EQ (dialogs.shown[0].kind, "save");
    EXPECT_EQ (dialogs.shown[0].title, "Please decide where to save your idea text...");
    EXPECT_EQ (dialogs.shown[1].kind, "okcancel");
    EXPECT_EQ (dialogs.shown[1].title, "File already exists");
    EXPECT_EQ (dialogs.shown[1].message, "The file already exists ... are you sure you want to overwrite it?");
    EXPECT_EQ (dialogs.shown[1].icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (dialogs.shown[2].kind, "save");
    EXPECT_EQ (dialogs.shown[3].kind, "okcancel");
    EXPECT_EQ (existing.loadFileAsString(), "new text");

    // Cancelling the chooser after a "cancel" answer writes nothing.
    dialogs.filesToSave = {existing};
    dialogs.okCancelAnswers = {false};
    editor.setText ("newer text");
    EXPECT_FALSE (editor.DoSaveTextToFile());
    EXPECT_EQ (existing.loadFileAsString(), "new text");
}

TEST_F (IdeaEditor, AFailedWriteKeepsTheOldFileAndSaysSo)
{
    const auto existing = temp.folder.getChildFile ("keep.txt");
    ASSERT_TRUE (existing.replaceWithText ("precious"));
    editor.setText (juce::String::repeatedString ("lots of new words ", 2000));
    dialogs.filesToSave = {existing};
    dialogs.okCancelAnswers = {true};

    // A file size limit makes the write fail the way a full disk does (even for root).
    rlimit saved{};
    ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal (SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);

    const bool result = editor.DoSaveTextToFile();

    setrlimit (RLIMIT_FSIZE, &saved);
    std::signal (SIGXFSZ, oldHandler);

    EXPECT_FALSE (result);
    EXPECT_EQ (existing.loadFileAsString(), "precious");
    ASSERT_EQ (dialogs.shown.size(), 3u);
    EXPECT_EQ (dialogs.shown[2].kind, "message");
    EXPECT_EQ (dialogs.shown[2].title, "Idea text save failed!");
    EXPECT_EQ (dialogs.shown[2].message, "The file could not be written - is it write protected?");
    EXPECT_EQ (dialogs.shown[2].icon, juce::MessageBoxIconType::WarningIcon);

    // No temporary file is left behind.
    EXPECT_EQ (temp.folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1);
}
