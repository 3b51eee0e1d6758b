// "Create Lyrics --->": the empty-idea box, the typographic clean-up of idea
// text, and a new lyric going to the editor and the clipboard but not the history.
#include "ScriptedDialogs.h"
#include "WorkspaceTestSupport.h"

using namespace workspace_test;

TEST (WorkspaceGenerate, WithoutIdeasTellsTheUserAndChangesNothingElse)
{
    ScriptedDialogs dialogs;
    auto ws = makeWorkspace ({"kept"});

    press (*ws->createLyricsButton);

    ASSERT_EQ (dialogs.shown.size(), 1u);
    EXPECT_EQ (dialogs.shown[0].kind, "message");
    EXPECT_EQ (dialogs.shown[0].icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (dialogs.shown[0].title, "You must first enter some ideas!");
    EXPECT_EQ (dialogs.shown[0].message,
               "Before you can generate some Lyrics, you must first put some words in at least one of your Ideas "
               "boxes. You can do this by simply typing-in some words into an Idea box, or maybe pasting-in some "
               "words from some of your favourite text.");
    EXPECT_TRUE (ws->lyricsEditor->getText().isEmpty());
    EXPECT_EQ (historyEntries (*ws), strings ({"kept"}));
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST (WorkspaceGenerate, CurlyQuotesAlonePassTheCheckButGiveNoLyricAndNoMessage)
{
    ScriptedDialogs dialogs;
    auto ws = makeWorkspace();
    ws->ideaEditor2->setText (juce::String (juce::CharPointer_UTF8 ("\xe2\x80\x9c\xe2\x80\x9d")));

    press (*ws->createLyricsButton);

    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_TRUE (ws->lyricsEditor->getText().isEmpty());
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST (WorkspaceGenerate, ANewLyricGoesToTheEditorAndClipboardAndLeavesTheHistoryAlone)
{
    ScriptedDialogs dialogs;
    auto ws = makeWorkspace ({"first", "second"});
    ws->historyListBox->selectRow (1);
    typeRule (*ws, "4 4");
    juce::SystemClipboard::copyTextToClipboard ("old clipboard");

    // The idea box keeps its ellipsis; the engine gets "love..." and so the one word "love".
    const juce::String idea (juce::CharPointer_UTF8 ("love\xe2\x80\xa6"));
    ws->ideaEditor3->setText (idea);

    press (*ws->createLyricsButton);

    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_EQ (ws->lyricsEditor->getText(), "Love love love love,\nLove love love love.\n");
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), ws->lyricsEditor->getText());
    EXPECT_EQ (historyEntries (*ws), strings ({"first", "second"}));
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 1);
    EXPECT_EQ (ws->ideaEditor3->getText(), idea);
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST (WorkspaceGenerate, EveryGenerationReplacesTheClipboard)
{
    auto ws = makeWorkspace();
    ws->ideaEditor1->setText ("sun");
    press (*ws->createLyricsButton);
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(),
               "Sun sun sun sun,\nSun sun sun sun,\nSun sun sun sun,\nSun sun sun sun.\n");

    ws->ideaEditor1->setText ("moon");
    press (*ws->createLyricsButton);
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(),
               "Moon moon moon moon,\nMoon moon moon moon,\nMoon moon moon moon,\nMoon moon moon moon.\n");
}
