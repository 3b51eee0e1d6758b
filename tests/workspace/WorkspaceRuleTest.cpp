// The rule box: typing and validating rules, deleting them, deriving a rule
// from a lyric, and the box helper shared with the document reader.
#include "WorkspaceTestSupport.h"

using namespace workspace_test;

TEST (WorkspaceRule, TypingSixFoursAddsTheRuleAndGivesSixLinesOfFour)
{
    auto ws = makeWorkspace();

    typeRule (*ws, "4 4 4 4 4 4");

    EXPECT_EQ (ruleEntries (*ws), strings ({"4 4 4 4", "4 5 4 5", "4 4 4 4 4 4"}));
    EXPECT_EQ (ws->ruleComboBox->getSelectedItemIndex(), 2);
    EXPECT_EQ (ws->ruleComboBox->getItemId (2), 3);
    EXPECT_EQ (shapeOf (*ws), std::vector<int> (6, 4));
    EXPECT_FALSE (ws->hasChangedSinceSaved()) << "a rule alone does not change the document";

    // The next lyric has that shape.
    ws->ideaEditor1->setText ("love dove above glove shove sun run fun");
    press (*ws->createLyricsButton);
    juce::StringArray lines;
    lines.addLines (ws->lyricsEditor->getText().trimEnd());
    ASSERT_EQ (lines.size(), 6);
    for (auto& line : lines)
        EXPECT_EQ (juce::StringArray::fromTokens (line, " ", "").size(), 4) << line;
}

TEST (WorkspaceRule, InvalidRulesFallBackToTheDefaultWithoutAddingEntries)
{
    juce::String fiftyOne;
    for (int i = 0; i < 51; ++i)
        fiftyOne << "4 ";

    for (auto typed : {juce::String ("4 0 4"), juce::String ("4 21 4"), fiftyOne, juce::String(), juce::String ("   "),
                       juce::String ("four"), juce::String ("4 x 4"), juce::String ("4 99999999999999999999 4")})
    {
        SCOPED_TRACE (typed);
        auto ws = makeWorkspace();
        typeRule (*ws, "5 5 5");
        ASSERT_EQ (shapeOf (*ws), std::vector<int> ({5, 5, 5}));

        typeRule (*ws, typed);

        EXPECT_EQ (ws->ruleComboBox->getText(), "4 4 4 4");
        EXPECT_EQ (ws->ruleComboBox->getSelectedItemIndex(), 0);
        EXPECT_EQ (ruleEntries (*ws), strings ({"4 4 4 4", "4 5 4 5", "5 5 5"}));
        EXPECT_EQ (shapeOf (*ws), std::vector<int> ({4, 4, 4, 4}));
    }
}

TEST (WorkspaceRule, ValidEdgesAreAccepted)
{
    juce::String fifty;
    for (int i = 0; i < 50; ++i)
        fifty << "20 ";

    auto ws = makeWorkspace();
    typeRule (*ws, fifty);

    EXPECT_EQ (ws->ruleComboBox->getText(), fifty.trim());
    EXPECT_EQ (shapeOf (*ws), std::vector<int> (50, 20));
}

TEST (WorkspaceRule, ASingleNumberChangesOnlyTheFirstLine)
{
    auto ws = makeWorkspace();
    ws->ruleComboBox->setSelectedItemIndex (1);
    pump();
    ws->lyricsEditor->SetWindowTextLyric ("a b c d\ne f g h i\nj k l m\nn o p q r\n");
    const auto lyricBefore = ws->lyricsEditor->getText();

    typeRule (*ws, "7");

    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({7, 5, 4, 5}));
    EXPECT_EQ (ws->lyricsEditor->getText(), lyricBefore);
}

TEST (WorkspaceRule, CommasWithoutSpacesMakeOnePieceButAValidEntry)
{
    auto ws = makeWorkspace();
    typeRule (*ws, "5 5 5");

    typeRule (*ws, "4,4,4");

    EXPECT_TRUE (ruleEntries (*ws).contains ("4,4,4"));
    EXPECT_EQ (ws->ruleComboBox->getText(), "4,4,4");
    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({4, 5, 5}));
}

TEST (WorkspaceRule, RunsOfSpacesNeverAskForMoreThanFiftyLines)
{
    auto ws = makeWorkspace();

    // 30 numbers (a valid rule) with double spaces: 59 pieces when split at each space.
    juce::StringArray numbers;
    for (int i = 0; i < 30; ++i)
        numbers.add ("3");
    typeRule (*ws, numbers.joinIntoString ("  "));

    EXPECT_LE (ws->m_quillet.m_wordMap.m_lineCount, 50);
    EXPECT_EQ (shapeOf (*ws), std::vector<int> (30, 3));

    // A few empty pieces within the limit still count as lines that keep their counts.
    typeRule (*ws, "2  2");
    EXPECT_EQ (ws->m_quillet.m_wordMap.m_lineCount, 3);
    EXPECT_EQ (ws->m_quillet.m_wordMap.GetWordCountInLine (0), 2);
    EXPECT_EQ (ws->m_quillet.m_wordMap.GetWordCountInLine (1), 3) << "an empty piece keeps the line's count";
    EXPECT_EQ (ws->m_quillet.m_wordMap.GetWordCountInLine (2), 2);
}

TEST (WorkspaceRule, DeleteRuleSelectsTheFollowingOrNewLastEntryAndKeepsTheLastOne)
{
    auto ws = makeWorkspace();
    typeRule (*ws, "3 3");
    typeRule (*ws, "2 2");
    ASSERT_EQ (ruleEntries (*ws), strings ({"4 4 4 4", "4 5 4 5", "3 3", "2 2"}));

    // The last entry: the new last one is selected and applied.
    press (*ws->deleteRuleButton);
    EXPECT_EQ (ruleEntries (*ws), strings ({"4 4 4 4", "4 5 4 5", "3 3"}));
    EXPECT_EQ (ws->ruleComboBox->getText(), "3 3");
    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({3, 3}));
    EXPECT_TRUE (ws->hasChangedSinceSaved());

    // New IDs follow the greatest one kept.
    EXPECT_EQ (ws->ruleComboBox->getItemId (0), 4);
    EXPECT_EQ (ws->ruleComboBox->getItemId (2), 6);

    // A middle entry: the one that followed it.
    ws->ruleComboBox->setSelectedItemIndex (1);
    pump();
    press (*ws->deleteRuleButton);
    EXPECT_EQ (ruleEntries (*ws), strings ({"4 4 4 4", "3 3"}));
    EXPECT_EQ (ws->ruleComboBox->getText(), "3 3");

    press (*ws->deleteRuleButton);
    EXPECT_EQ (ruleEntries (*ws), strings ({"4 4 4 4"}));
    EXPECT_EQ (ws->ruleComboBox->getText(), "4 4 4 4");

    press (*ws->deleteRuleButton);
    EXPECT_EQ (ruleEntries (*ws), strings ({"4 4 4 4"})) << "the last rule stays";
    EXPECT_EQ (ws->ruleComboBox->getText(), "4 4 4 4");
}

TEST (WorkspaceRule, DeleteRuleWithATypedCopyOfAnEntryRemovesNothingAndFallsBack)
{
    auto ws = makeWorkspace();
    typeRule (*ws, "3 3 3");

    // The text now names another entry than the selected one: the box reports no selection.
    for (auto* child : ws->ruleComboBox->getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child))
            label->setText ("4 5 4 5", juce::dontSendNotification);
    ASSERT_EQ (ws->ruleComboBox->getSelectedItemIndex(), -1);

    press (*ws->deleteRuleButton);

    EXPECT_EQ (ruleEntries (*ws), strings ({"4 4 4 4", "4 5 4 5", "3 3 3"}));
    EXPECT_EQ (ws->ruleComboBox->getText(), "4 4 4 4");
    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({4, 4, 4, 4}));
}

TEST (WorkspaceRule, SetRuleGivenThisTextTakesTheLyricsShapeSkippingEmptyLines)
{
    auto ws = makeWorkspace();

    ws->SetRuleGivenThisText ("a b c d\n\ne f g h i\n\nj k l m\n\nn o p q r\n");
    EXPECT_EQ (ruleEntries (*ws).size(), 2) << "an existing rule is selected, not added";
    EXPECT_EQ (ws->ruleComboBox->getText(), "4 5 4 5");
    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({4, 5, 4, 5}));

    ws->SetRuleGivenThisText ("one two,\nthree four five!\n");
    EXPECT_EQ (ws->ruleComboBox->getText(), "2 3");
    EXPECT_EQ (ws->ruleComboBox->getItemId (2), 3);
    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({2, 3}));

    ws->SetRuleGivenThisText (" ,.\n\n");
    EXPECT_EQ (ws->ruleComboBox->getText(), "2 3") << "a text without words gives no rule";
    pump();
    EXPECT_EQ (shapeOf (*ws), std::vector<int> ({2, 3}));
}

TEST (WorkspaceRule, AddStringIfNotAlreadyThereSelectsTheLaterDuplicateOrAddsWithTheNextId)
{
    juce::ComboBox box;
    box.setEditableText (true);

    ComboBox_AddStringIfNotAlreadyThere (&box, "a");
    EXPECT_EQ (box.getItemId (0), 1) << "an empty box starts with ID 1";

    box.addItem ("b", 7);
    box.addItem ("a", 3);
    ComboBox_AddStringIfNotAlreadyThere (&box, "a");
    EXPECT_EQ (box.getNumItems(), 3);
    EXPECT_EQ (box.getSelectedItemIndex(), 2) << "the scan goes on past the first match";

    ComboBox_AddStringIfNotAlreadyThere (&box, "A");
    EXPECT_EQ (box.getNumItems(), 4) << "comparison is case-sensitive";
    EXPECT_EQ (box.getItemId (3), 8);
    EXPECT_EQ (box.getText(), "A");
    pump();
}

TEST (WorkspaceRule, ConvertWindowsAsciiReplacesTypographicCharacters)
{
    juce::String text = juce::CharPointer_UTF8 ("\xe2\x80\x93"
                                                "a\xe2\x80\x94"
                                                "b \xe2\x80\x98"
                                                "c\xe2\x80\x99 \xe2\x80\x9c"
                                                "d\xe2\x80\x9d e\xe2\x80\xa6 \xc3\xa9");
    ConvertWindowsAscii (text);
    EXPECT_EQ (text, juce::String (juce::CharPointer_UTF8 ("-a-b 'c' \"d\" e... \xc3\xa9")));

    juce::String plain ("nothing to do");
    ConvertWindowsAscii (plain);
    EXPECT_EQ (plain, "nothing to do");
}
