// The idea editors: the word under the mouse, the menu, the searches and the
// idea text files.
#include "EditorTestSupport.h"

#include <csignal>
#include <sys/resource.h>

using namespace editortest;
using IdeaEditor = EditorFixture;

TEST_F (IdeaEditor, TheWordUnderTheMouseHasTwoOrMoreLettersOrDigits)
{
    // The blank or comma right after a word still gives that word; one-letter words never count.
    const juce::String text ("hello world, a b 42x. 7");
    const std::pair<int, const char*> cases[] = {{6, "world"}, {9, "world"}, {5, "hello"}, {11, "world"}, {13, ""},
                                                 {16, ""},     {18, "42x"},  {22, ""},     {23, ""}};
    for (auto& [index, word] : cases)
        EXPECT_EQ (searchableTextEditor::FindLookupWordAt (text, index), word) << "at " << index;
}

TEST_F (IdeaEditor, MenusAndTheLookUpsTheyOpenWithAWordNoWordAndAHighlight)
{
    const juce::StringArray withoutWord{">Edit...", ">Idea Text File...", "-", "5:Show Web Browser"};
    idea.setText ("hello world");
    EXPECT_EQ (describe (menuAt (idea, 5))[0], "1:Thesaurus - hello") << "the blank after a word";
    const auto menu = menuAt (idea, 6);
    EXPECT_EQ (describe (menu), juce::StringArray ({"1:Thesaurus - world", "2:Dictionary - world", "3:Search - world",
                                                    "-", "4:Search for all words! ", "-", ">Edit...",
                                                    ">Idea Text File...", "-", "5:Show Web Browser"}));
    EXPECT_EQ (describeSubMenu (menu, "Idea Text File..."), juce::StringArray ({"18:Open...", "19:Save..."}));
    EXPECT_EQ (describeSubMenu (menu, "Edit..."), frameworkEditItems (idea));
    for (int id : {1, 2, 3, 5})
        idea.performPopupMenuAction (id);

    idea.setText ("  the quick brown fox  and more");
    idea.setHighlightedRegion ({0, 23});
    EXPECT_EQ (describe (menuAt (idea, 6))[4], "4:Search highlight - (the quick ...)");
    idea.performPopupMenuAction (searchableTextEditor::searchAllId);
    idea.setHighlightedRegion ({2, 3}); // one character counts as no highlight
    EXPECT_EQ (describe (menuAt (idea, 6))[4], "4:Search for all words! ");
    idea.performPopupMenuAction (searchableTextEditor::searchAllId);

    EXPECT_EQ (dialogs.openedAddresses,
               juce::StringArray (LookupAddresses::ForThesaurus ("world"), LookupAddresses::ForDictionary ("world"),
                                  LookupAddresses::ForSearch ("world"),
                                  quillet::getProductPageAddress ("/tools/quillet/doc/index.html"),
                                  searchAddress ("the+quick+brown+fox"),
                                  searchAddress ("the+quick+brown+fox+and+more")));
    EXPECT_EQ (changedCount, 0) << "look-ups leave the document alone";

    idea.setText ("I a");
    EXPECT_EQ (describe (menuAt (idea, 0)), withoutWord);
    idea.setText ({});
    EXPECT_EQ (describe (menuAt (idea, -1)), withoutWord);
    idea.setReadOnly (true);
    EXPECT_EQ (describeSubMenu (menuAt (idea, -1), "Idea Text File..."),
               juce::StringArray ({"18:Open... (off)", "19:Save... (off)"}));
}

TEST_F (IdeaEditor, IdeaTextFilesOpenAndSaveAndOnlyOpenAndEditingMarkTheDocument)
{
    idea.setText ("old");
    idea.performPopupMenuAction (juce::StandardApplicationCommandIDs::selectAll);
    idea.performPopupMenuAction (searchableTextEditor::openFileId); // cancelled, still marked
    EXPECT_EQ (idea.getText(), "old");
    EXPECT_EQ (dialogs.shown.back().title, "Please choose a file to load as an idea...");
    const auto file = folder.getChildFile ("idea");
    ASSERT_TRUE (file.replaceWithText (juce::CharPointer_UTF8 ("caf\xc3\xa9\r\nna\xc3\xafve"), false, false, nullptr));
    dialogs.filesToOpen.push_back (file);
    idea.performPopupMenuAction (searchableTextEditor::openFileId);
    EXPECT_EQ (idea.getText(), juce::String (juce::CharPointer_UTF8 ("caf\xc3\xa9\nna\xc3\xafve")));

    // ".txt" is added only to a name without extension.
    dialogs.shown.clear();
    dialogs.filesToSave = {folder.getChildFile ("notes"), folder.getChildFile ("notes.text")};
    idea.performPopupMenuAction (searchableTextEditor::saveFileId);
    EXPECT_TRUE (idea.DoSaveTextToFile());
    const auto saved = folder.getChildFile ("notes.txt");
    EXPECT_EQ (saved.loadFileAsString(), idea.getText());
    EXPECT_TRUE (folder.getChildFile ("notes.text").existsAsFile());
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 3);
    EXPECT_EQ (dialogs.shown.size(), 2u) << "two choosers, no other question";
    EXPECT_EQ (changedCount, 3) << "Select All and both opens; saving is no change";

    // "cancel" to the question opens the chooser again; "overwrite" on the second round replaces the file.
    dialogs.shown.clear();
    dialogs.filesToSave = {folder.getChildFile ("notes"), saved};
    dialogs.okCancelAnswers = {false, true};
    idea.setText ("new text");
    EXPECT_TRUE (idea.DoSaveTextToFile());
    ASSERT_EQ (dialogs.shown.size(), 4u);
    EXPECT_EQ (dialogs.shown[0].title, "Please decide where to save your idea text...");
    EXPECT_EQ (dialogs.shown[1].title, "File already exists");
    EXPECT_EQ (dialogs.shown[1].message, "The file already exists ... are you sure you want to overwrite it?");
    EXPECT_EQ (dialogs.shown[2].kind + dialogs.shown[3].kind, "saveokcancel");
    EXPECT_EQ (saved.loadFileAsString(), "new text");

    dialogs.filesToSave = {saved}; // refused, then the chooser is cancelled: nothing written
    dialogs.okCancelAnswers = {false};
    idea.setText ("newer text");
    EXPECT_FALSE (idea.DoSaveTextToFile());
    EXPECT_EQ (saved.loadFileAsString(), "new text");

    // A file size limit makes the save fail the way a full disk does (even for root), the old file staying: 36 KB
    // are more than the writer's buffer, so the write itself fails; 4.5 KB only fail at the final flush.
    for (int repeats : {2000, 250})
    {
        dialogs.shown.clear();
        dialogs.filesToSave = {saved};
        dialogs.okCancelAnswers = {true};
        idea.setText (juce::String::repeatedString ("lots of new words ", repeats));
        rlimit previous{}, small{};
        ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &previous), 0);
        small = {1024, previous.rlim_max};
        const auto oldHandler = std::signal (SIGXFSZ, SIG_IGN);
        ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);
        const bool result = idea.DoSaveTextToFile();
        setrlimit (RLIMIT_FSIZE, &previous);
        std::signal (SIGXFSZ, oldHandler);
        EXPECT_FALSE (result) << repeats;
        EXPECT_EQ (saved.loadFileAsString(), "new text");
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 3) << "no temporary file left";
        ASSERT_EQ (dialogs.shown.size(), 3u);
        EXPECT_EQ (dialogs.shown[2].kind + ": " + dialogs.shown[2].title + " / " + dialogs.shown[2].message,
                   "message: Idea text save failed! / The file could not be written - is it write protected?");
    }
}
