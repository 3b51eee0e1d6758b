// What the workspace's buttons and rule box do: the history buttons, Edit,
// the rule box and Delete Rule, and "Create Lyrics --->" with its clipboard copy.
#include "WorkspaceTestSupport.h"

using namespace workspace_test;
using WorkspaceHistory = WorkspaceFixture;
using WorkspaceRule = WorkspaceFixture;
using WorkspaceGenerate = WorkspaceFixture;

TEST_F (WorkspaceHistory, EachButtonOnEachKindOfSelection)
{
    using Member = std::unique_ptr<juce::TextButton> quilletComponent::*;
    const juce::String lyric = "Love is blue tonight,\nSky is grey above.\n";
    struct Case
    {
        Member button;
        int selected;          // before the press, -1 for none
        const char* lyricText; // in the lyric editor
        const char* after;     // the history afterwards
        int selectedAfter;
    } const cases[] = {
        {&quilletComponent::addButton, 1, "L", "one|two|three|L", 3},
        {&quilletComponent::addButton, 1, "", "one|two|three", 1},
        {&quilletComponent::replaceButton, 1, "L", "one|L|three", 1},
        {&quilletComponent::replaceButton, -1, "L", "one|two|three|L", 3},
        {&quilletComponent::replaceButton, 1, "", "one|two|three", 1},
        {&quilletComponent::deleteButton, -1, "", "one|two|three", -1},
        {&quilletComponent::deleteButton, 1, "", "one|three", 1},
        {&quilletComponent::deleteAllButton, 1, "", "", -1},
        {&quilletComponent::moveUpButton, 1, "", "two|one|three", 0},
        {&quilletComponent::moveUpButton, 0, "", "one|two|three", 0},
        {&quilletComponent::moveUpButton, -1, "", "one|two|three", -1},
        {&quilletComponent::moveDownButton, 1, "", "one|three|two", 2},
        {&quilletComponent::moveDownButton, 2, "", "one|two|three", 2},
        {&quilletComponent::moveDownButton, -1, "", "one|two|three", -1},
    };

    for (auto& c : cases)
    {
        auto& button = *(ws.get()->*c.button);
        SCOPED_TRACE (button.getButtonText() + " with row " + juce::String (c.selected) + " selected");
        setHistory ({"one", "two", "three"});
        if (c.selected >= 0)
            ws->historyListBox->selectRow (c.selected);
        ws->lyricsEditor->setText (juce::String (c.lyricText).replace ("L", lyric));
        juce::SystemClipboard::copyTextToClipboard ("before");

        press (button);

        EXPECT_EQ (history(), juce::String (c.after).replace ("L", lyric));
        EXPECT_EQ (ws->historyListBox->getSelectedRow (0), c.selectedAfter);
        EXPECT_EQ (ws->historyListBox->getNumSelectedRows(), c.selectedAfter < 0 ? 0 : 1);
        const bool copies = *c.lyricText != 0 &&
                            (c.button == &quilletComponent::addButton || c.button == &quilletComponent::replaceButton);
        EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), copies ? lyric : "before");
        EXPECT_TRUE (ws->hasChangedSinceSaved()) << "every press marks the document, before any check";
    }
}

TEST_F (WorkspaceHistory, EditCopiesTheSelectedEntryAskingOnlyOverAnExistingLyric)
{
    setHistory ({"one two three\n\nfour five six\n", "rain rain\n"});
    ws->m_quillet.m_wordMap.GetWordAtXY (0, 0)->m_locked = 1;

    press (*ws->editButton); // no selection, no lyric: nothing
    EXPECT_TRUE (ws->lyricsEditor->getText().isEmpty());

    ws->historyListBox->selectRow (0);
    press (*ws->editButton);
    EXPECT_TRUE (dialogs.shown.empty());
    EXPECT_EQ (ws->lyricsEditor->getText(), "one two three,\nfour five six.\n");
    EXPECT_EQ (rules(), "4 4 4 4|4 5 4 5|3 3 : 3 3");
    EXPECT_EQ (shape(), "3 3");
    EXPECT_EQ (ws->m_quillet.m_wordMap.GetWordAtXY (0, 0)->m_locked, 0) << "locks are cleared first";
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), ws->lyricsEditor->getText());
    EXPECT_TRUE (ws->hasChangedSinceSaved());

    ws->historyListBox->selectRow (1);
    dialogs.okCancelAnswers = {false, true};
    press (*ws->editButton);
    ASSERT_EQ (shown(), "okcancel: This will overwrite your Lyric text");
    EXPECT_EQ (dialogs.shown[0].message,
               "Do you want to copy the current Section list item text into the Lyric text box?");
    EXPECT_EQ (dialogs.shown[0].icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (ws->lyricsEditor->getText(), "one two three,\nfour five six.\n") << "cancelled";

    press (*ws->editButton);
    EXPECT_EQ (ws->lyricsEditor->getText(), "rain rain.\n");
    EXPECT_EQ (rules(), "4 4 4 4|4 5 4 5|3 3|2 : 2");
}

TEST_F (WorkspaceRule, TypingSixFoursAddsTheRuleAndTheNextLyricHasItsShape)
{
    typeRule ("4 4 4 4 4 4");
    EXPECT_EQ (rules(), "4 4 4 4|4 5 4 5|4 4 4 4 4 4 : 4 4 4 4 4 4");
    EXPECT_EQ (ws->ruleComboBox->getSelectedItemIndex(), 2);
    EXPECT_EQ (shape(), "4 4 4 4 4 4");
    EXPECT_FALSE (ws->hasChangedSinceSaved()) << "a rule alone does not change the document";

    ws->ideaEditor1->setText ("love dove above glove shove sun run fun");
    press (*ws->createLyricsButton);
    juce::StringArray lines;
    lines.addLines (ws->lyricsEditor->getText().trimEnd());
    ASSERT_EQ (lines.size(), 6);
    for (auto& line : lines)
        EXPECT_EQ (juce::StringArray::fromTokens (line, " ", "").size(), 4) << line;
}

TEST_F (WorkspaceRule, TypedRulesAreCheckedAndGiveTheWordMapItsShape)
{
    const auto repeated = [] (const char* piece, int times) { return juce::String::repeatedString (piece, times); };
    // The typed rule and the shape it gives after "4 5 4 5"; none for a rule that falls back to "4 4 4 4".
    const std::pair<juce::String, juce::String> cases[] = {
        {"4 0 4", {}},
        {"4 21 4", {}},
        {repeated ("4 ", 51), {}},
        {"", {}},
        {"   ", {}},
        {"four", {}},
        {"4 x 4", {}},
        {"4 99999999999999999999 4", {}},
        {repeated ("20 ", 50), repeated ("20 ", 50).trim()},
        {"7", "7 5 4 5"},     // a single number changes only the first line
        {"4,4,4", "4 5 4 5"}, // three numbers to the check, one piece when split at blanks
        {repeated ("3  ", 30), repeated ("3 ", 30).trim()}, // 59 pieces: read as its numbers, at most 50 lines
        {"2  2", "2 5 2"},                                  // a few empty pieces are lines that keep their counts
    };
    for (auto& [typed, expected] : cases)
    {
        SCOPED_TRACE (typed);
        ws->ruleComboBox->setSelectedItemIndex (1);
        pump();
        const int entries = ws->ruleComboBox->getNumItems();
        typeRule (typed);

        EXPECT_EQ (shape(), expected.isEmpty() ? "4 4 4 4" : expected);
        EXPECT_EQ (ws->ruleComboBox->getText(), expected.isEmpty() ? "4 4 4 4" : typed.trim());
        EXPECT_EQ (ws->ruleComboBox->getNumItems(), entries + (expected.isEmpty() ? 0 : 1));
    }
}

TEST_F (WorkspaceRule, DeleteRuleSelectsTheFollowingOrNewLastEntryAndKeepsTheLastOne)
{
    typeRule ("3 3");
    typeRule ("2 2");
    press (*ws->deleteRuleButton); // the last entry: the new last one is selected and applied
    EXPECT_EQ (rules(), "4 4 4 4|4 5 4 5|3 3 : 3 3");
    EXPECT_EQ (shape(), "3 3");
    EXPECT_TRUE (ws->hasChangedSinceSaved());

    // A typed copy of another entry leaves the box without selection: nothing is removed, the default applies.
    typeRule ("4 5 4 5", juce::dontSendNotification);
    press (*ws->deleteRuleButton);
    EXPECT_EQ (rules(), "4 4 4 4|4 5 4 5|3 3 : 4 4 4 4");
    EXPECT_EQ (shape(), "4 4 4 4");

    ws->ruleComboBox->setSelectedItemIndex (1);
    pump();
    press (*ws->deleteRuleButton); // a middle entry: the one that followed it
    EXPECT_EQ (rules(), "4 4 4 4|3 3 : 3 3");

    press (*ws->deleteRuleButton);
    press (*ws->deleteRuleButton);
    EXPECT_EQ (rules(), "4 4 4 4 : 4 4 4 4") << "the last rule stays";
}

TEST_F (WorkspaceGenerate, WithoutIdeasTellsTheUserElseTheLyricGoesToTheEditorAndClipboardNotTheHistory)
{
    setHistory ({"first", "second"});
    ws->historyListBox->selectRow (1);
    typeRule ("4 4");
    juce::SystemClipboard::copyTextToClipboard ("old clipboard");

    press (*ws->createLyricsButton);
    ASSERT_EQ (shown(), "message: You must first enter some ideas!");
    EXPECT_EQ (dialogs.shown[0].icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (dialogs.shown[0].message,
               "Before you can generate some Lyrics, you must first put some words in at least one of your Ideas "
               "boxes. You can do this by simply typing-in some words into an Idea box, or maybe pasting-in some "
               "words from some of your favourite text.");
    EXPECT_TRUE (ws->hasChangedSinceSaved());

    // Curly double quotes become plain ones, which pass the check but hold no word: no lyric and no message.
    ws->ideaEditor2->setText (juce::CharPointer_UTF8 ("\xe2\x80\x9c\xe2\x80\x9d"));
    press (*ws->createLyricsButton);
    EXPECT_EQ (dialogs.shown.size(), 1u);
    EXPECT_TRUE (ws->lyricsEditor->getText().isEmpty());

    // The idea box keeps its typographic characters; the engine gets "rock'n'roll-yeah-..." and so one word.
    const juce::String idea (juce::CharPointer_UTF8 ("rock\xe2\x80\x99n\xe2\x80\x98roll\xe2\x80\x93yeah\xe2\x80\x94"
                                                     "\xe2\x80\xa6"));
    ws->ideaEditor3->setText (idea);
    press (*ws->createLyricsButton);
    EXPECT_EQ (dialogs.shown.size(), 1u);
    EXPECT_EQ (ws->lyricsEditor->getText(),
               "Rock'n'roll-yeah- rock'n'roll-yeah- rock'n'roll-yeah- rock'n'roll-yeah-,\n"
               "Rock'n'roll-yeah- rock'n'roll-yeah- rock'n'roll-yeah- rock'n'roll-yeah-.\n");
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), ws->lyricsEditor->getText());
    EXPECT_EQ (history(), "first|second");
    EXPECT_EQ (ws->historyListBox->getSelectedRow (0), 1);
    EXPECT_EQ (ws->ideaEditor3->getText(), idea);

    ws->ideaEditor3->setText ("moon");
    press (*ws->createLyricsButton);
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), "Moon moon moon moon,\nMoon moon moon moon.\n");
}
