// The history buttons: Add, Replace, Delete, Delete All, the two moves and Edit.
#include "ScriptedDialogs.h"
#include "WorkspaceTestSupport.h"

using namespace workspace_test;

namespace
{
const juce::String lyricA = "Love is blue tonight,\nSky is grey above.\n";
const juce::String lyricB = "Rain on the window,\nWind in the trees.\n";

void setClipboard (const juce::String& text)
{
    juce::SystemClipboard::copyTextToClipboard (text);
}

juce::String clipboard()
{
    return juce::SystemClipboard::getTextFromClipboard();
}
} // namespace

TEST (WorkspaceHistory, AddAppendsTheLyricSelectsItAndCopiesIt)
{
    auto ws = makeWorkspace ({"one"});
    ws->lyricsEditor->setText (lyricA);
    setClipboard ("before");

    press (*ws->addButton);

    EXPECT_EQ (historyEntries (*ws), strings ({"one", lyricA}));
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 1);
    EXPECT_EQ (clipboard(), lyricA);
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST (WorkspaceHistory, AddWithAnEmptyLyricChangesNeitherHistoryNorClipboardButMarksTheDocument)
{
    auto ws = makeWorkspace ({"one"});
    setClipboard ("kept");

    press (*ws->addButton);
    press (*ws->replaceButton);

    EXPECT_EQ (historyEntries (*ws), strings ({"one"}));
    EXPECT_EQ (clipboard(), "kept");
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST (WorkspaceHistory, ReplaceOverwritesTheSelectedEntryOrAppendsWithoutSelection)
{
    auto ws = makeWorkspace ({"one", "two", "three"});
    ws->lyricsEditor->setText (lyricB);

    ws->historyListBox->selectRow (1);
    press (*ws->replaceButton);
    EXPECT_EQ (historyEntries (*ws), strings ({"one", lyricB, "three"}));
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 1);
    EXPECT_EQ (clipboard(), lyricB);

    ws->historyListBox->deselectAllRows();
    press (*ws->replaceButton);
    EXPECT_EQ (historyEntries (*ws), strings ({"one", lyricB, "three", lyricB}));
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 3);
}

TEST (WorkspaceHistory, DeleteRemovesOnlyTheSelectedEntryAndDeleteAllEmptiesTheList)
{
    auto ws = makeWorkspace ({"one", "two", "three"});

    press (*ws->deleteButton);
    EXPECT_EQ (historyEntries (*ws), strings ({"one", "two", "three"})) << "no selection: nothing";
    EXPECT_TRUE (ws->hasChangedSinceSaved()) << "marked changed before any check";

    ws->historyListBox->selectRow (1);
    press (*ws->deleteButton);
    EXPECT_EQ (historyEntries (*ws), strings ({"one", "three"}));

    press (*ws->deleteAllButton);
    EXPECT_EQ (ws->historyListBox->getNumRows(), 0);
}

TEST (WorkspaceHistory, MovesSwapWithTheNeighbourAndKeepTheMovedEntrySelected)
{
    auto ws = makeWorkspace ({"one", "two", "three"});

    ws->historyListBox->selectRow (1);
    press (*ws->moveUpButton);
    EXPECT_EQ (historyEntries (*ws), strings ({"two", "one", "three"}));
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 0);
    EXPECT_EQ (ws->historyListBox->getNumSelectedRows(), 1);

    press (*ws->moveDownButton);
    press (*ws->moveDownButton);
    EXPECT_EQ (historyEntries (*ws), strings ({"one", "three", "two"}));
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 2);
}

TEST (WorkspaceHistory, MovesAtTheEdgesWithoutSelectionOrWithOneEntryChangeNothing)
{
    auto ws = makeWorkspace ({"one", "two", "three"});
    const juce::StringArray original ({"one", "two", "three"});

    ws->historyListBox->selectRow (0);
    press (*ws->moveUpButton);
    EXPECT_EQ (historyEntries (*ws), original);
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 0);

    ws->historyListBox->selectRow (2);
    press (*ws->moveDownButton);
    EXPECT_EQ (historyEntries (*ws), original);
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 2);

    ws->historyListBox->deselectAllRows();
    press (*ws->moveUpButton);
    press (*ws->moveDownButton);
    EXPECT_EQ (historyEntries (*ws), original);

    auto single = makeWorkspace ({"only"});
    single->historyListBox->selectRow (0);
    press (*single->moveUpButton);
    press (*single->moveDownButton);
    EXPECT_EQ (historyEntries (*single), strings ({"only"}));
    EXPECT_TRUE (single->hasChangedSinceSaved());
}

TEST (WorkspaceHistory, EditWithAnEmptyLyricCopiesTheEntryWithoutAskingAndTakesItsShape)
{
    ScriptedDialogs dialogs;
    const juce::String entry = "one two three\n\nfour five six\n";
    auto ws = makeWorkspace ({entry});
    ws->historyListBox->selectRow (0);
    ws->m_quillet.m_wordMap.GetWordAtXY (0, 0)->m_locked = 1;

    press (*ws->editButton);

    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_EQ (ws->lyricsEditor->getText(), "one two three,\nfour five six.\n");
    EXPECT_EQ (ws->ruleComboBox->getText(), "3 3");
    EXPECT_TRUE (ruleEntries (*ws).contains ("3 3"));
    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({3, 3}));
    EXPECT_EQ (ws->m_quillet.m_wordMap.GetWordAtXY (0, 0)->m_locked, 0) << "locks are cleared first";
    EXPECT_EQ (clipboard(), ws->lyricsEditor->getText());
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST (WorkspaceHistory, EditOverAnExistingLyricAsksAndCancelKeepsIt)
{
    ScriptedDialogs dialogs;
    auto ws = makeWorkspace ({"rain rain\n"});
    ws->historyListBox->selectRow (0);
    ws->lyricsEditor->setText (lyricA);

    dialogs.okCancelAnswers = {false};
    press (*ws->editButton);

    ASSERT_EQ (dialogs.shown.size(), 1u);
    EXPECT_EQ (dialogs.shown[0].kind, "okcancel");
    EXPECT_EQ (dialogs.shown[0].icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (dialogs.shown[0].title, "This will overwrite your Lyric text");
    EXPECT_EQ (dialogs.shown[0].message,
               "Do you want to copy the current Section list item text into the Lyric text box?");
    EXPECT_EQ (ws->lyricsEditor->getText(), lyricA);

    dialogs.okCancelAnswers = {true};
    press (*ws->editButton);
    EXPECT_EQ (ws->lyricsEditor->getText(), "rain rain.\n");
    EXPECT_EQ (ws->ruleComboBox->getText(), "2");
}

TEST (WorkspaceHistory, EditWithoutSelectionLeavesAnEmptyLyricEmpty)
{
    ScriptedDialogs dialogs;
    auto ws = makeWorkspace ({"one two\n"});

    press (*ws->editButton);

    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_TRUE (ws->lyricsEditor->getText().isEmpty());
    EXPECT_EQ (historyEntries (*ws), strings ({"one two\n"}));
}
