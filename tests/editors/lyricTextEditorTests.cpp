// The lyric editor: drawing the word map, locks, the word under the mouse,
// the menu in each situation and the searches it opens.
#include "EditorTestSupport.h"
#include "LookupAddresses.h"
#include "ProductSite.h"
#include "ScriptedDialogs.h"
#include "lyricTextEditor.h"

using namespace editortest;

namespace
{
struct LyricEditor : public ::testing::Test
{
    Quillet engine;
    WorkspaceStandIn workspace;
    ScriptedDialogs dialogs;
    lyricTextEditor editor{"LyricsTextEditor", 0};

    void SetUp() override
    {
        workspace.engine = &engine;
        editor.setMultiLine (true);
        editor.setReturnKeyStartsNewLine (true);
        editor.setSize (600, 400);
        editor.SetQuillet (&engine);
        editor.SetQuilletComponent (&workspace);
    }

    void show (const juce::String& lyric)
    {
        engine.SetString (lyric);
        editor.SetTextFromWordMap();
    }

    WordState& slot (int line, int word) { return *engine.m_wordMap.GetWordAtXY (line, word); }

    juce::PopupMenu menuAtCharacter (int index)
    {
        juce::PopupMenu menu;
        const auto click = rightClickAt (editor, pointOnCharacter (editor, index));
        editor.addPopupMenuItems (menu, &click);
        return menu;
    }

    // Is the slot's word drawn in the bold or in the plain font? Decided by the
    // drawn width, which must match one font's width and not the other's.
    bool drawnBold (const WordState& word)
    {
        const float plain = juce::Font (14.0f, juce::Font::plain).getStringWidthFloat (word.m_text);
        const float bold = juce::Font (14.0f, juce::Font::bold).getStringWidthFloat (word.m_text);
        EXPECT_GT (bold - plain, 3.0f) << "test words must differ clearly in width between the fonts";

        const float drawn = (float)drawnWidth (editor, word.m_start, word.m_length);
        return std::abs (drawn - bold) < std::abs (drawn - plain);
    }
};
} // namespace

TEST_F (LyricEditor, DrawsTheWordMapInTheGenerationForm)
{
    show ("Love is blue\nsky high");
    EXPECT_EQ (editor.getText(), "Love is blue,\nsky high.\n");

    EXPECT_EQ (slot (0, 0).m_start, 0);
    EXPECT_EQ (slot (0, 1).m_start, 5);
    EXPECT_EQ (slot (0, 2).m_start, 8);
    EXPECT_EQ (slot (1, 0).m_start, 14);
    EXPECT_EQ (slot (1, 1).m_start, 18);

    // A line whose words are all empty adds nothing, not even a line break;
    // leading empty words add no blank either.
    show ("a b\nc d\ne f");
    slot (1, 0).m_text = {};
    slot (1, 1).m_text = {};
    slot (2, 0).m_text = {};
    editor.SetTextFromWordMap();
    EXPECT_EQ (editor.getText(), "a b,\nf.\n");
    EXPECT_EQ (slot (1, 0).m_start, 5);
    EXPECT_EQ (slot (1, 1).m_start, 5);
    EXPECT_EQ (slot (2, 1).m_start, 5);
}

TEST_F (LyricEditor, LockedWordsAreBoldAndThePlainFontIsSetAfterwards)
{
    show ("Wonderful remembering\nsomewhere wandering");
    slot (0, 1).m_locked = 1;
    slot (1, 0).m_locked = 1;
    editor.SetTextFromWordMap();

    EXPECT_FALSE (drawnBold (slot (0, 0)));
    EXPECT_TRUE (drawnBold (slot (0, 1)));
    EXPECT_TRUE (drawnBold (slot (1, 0)));
    EXPECT_FALSE (drawnBold (slot (1, 1)));
    EXPECT_FALSE (editor.getFont().isBold());
    EXPECT_EQ (editor.getFont().getHeight(), 14.0f);
}

TEST_F (LyricEditor, SwitchingOneLockRedrawsOnlyThatWordAndMarksTheDocument)
{
    show ("Wonderful remembering\nsomewhere wandering");
    const auto textBefore = editor.getText();
    const int firstWidth = drawnWidth (editor, slot (0, 0).m_start, slot (0, 0).m_length);
    const int lastWidth = drawnWidth (editor, slot (1, 1).m_start, slot (1, 1).m_length);

    auto menu = menuAtCharacter (slot (0, 1).m_start + 3);
    EXPECT_EQ (describe (menu)[0], "1:Lock Word");
    editor.performPopupMenuAction (1);

    EXPECT_EQ (slot (0, 1).m_locked, 1);
    EXPECT_EQ (workspace.changedCount, 1);
    EXPECT_EQ (editor.getText(), textBefore);
    EXPECT_TRUE (drawnBold (slot (0, 1)));
    EXPECT_EQ (drawnWidth (editor, slot (0, 0).m_start, slot (0, 0).m_length), firstWidth);
    EXPECT_EQ (drawnWidth (editor, slot (1, 1).m_start, slot (1, 1).m_length), lastWidth);
    EXPECT_FALSE (editor.getFont().isBold());

    menu = menuAtCharacter (slot (0, 1).m_start + 3);
    EXPECT_EQ (describe (menu)[0], "1:Unlock Word");
    editor.performPopupMenuAction (1);
    EXPECT_EQ (slot (0, 1).m_locked, 0);
    EXPECT_FALSE (drawnBold (slot (0, 1)));
    EXPECT_EQ (workspace.changedCount, 2);
}

TEST_F (LyricEditor, MenuWithAWordUnderTheMouse)
{
    show ("Love is blue\nsky high");
    auto menu = menuAtCharacter (9); // the "l" of "blue"

    EXPECT_EQ (editor.mp_wordUnderMouse, &slot (0, 2));
    EXPECT_EQ (describe (menu), juce::StringArray ({"1:Lock Word", "2:Thesaurus - blue", "3:Dictionary - blue",
                                                    "4:Search - blue", "-", "5:Search for all words! ",
                                                    "6:Unlock all words", "7:Lock all words", "-", ">Edit..."}));

    const auto* edit = findSubMenu (menu, "Edit...");
    ASSERT_NE (edit, nullptr);
    const auto editItems = describe (*edit);
    EXPECT_EQ (editItems, frameworkEditItems (editor));
    EXPECT_TRUE (editItems.contains (juce::String (juce::StandardApplicationCommandIDs::paste) + ":Paste"));
}

TEST_F (LyricEditor, ClickOutsideEveryWordGivesNoWordItems)
{
    show ("Love is blue\nsky high");
    auto menu = menuAtCharacter (4); // the blank after "Love"

    EXPECT_EQ (editor.mp_wordUnderMouse, nullptr);
    EXPECT_TRUE (editor.m_wordUnderMouseText.isEmpty());
    EXPECT_EQ (describe (menu), juce::StringArray ({"5:Search for all words! ", "6:Unlock all words",
                                                    "7:Lock all words", "-", ">Edit..."}));

    // The word-finding itself: the first character of a word counts, the one after it not.
    EXPECT_EQ (editor.FindWordAtTextIndex (5), &slot (0, 1));
    EXPECT_EQ (editor.FindWordAtTextIndex (7), nullptr);
    EXPECT_EQ (editor.FindWordAtTextIndex (21), &slot (1, 1));
}

TEST_F (LyricEditor, HighlightLabelsForOneTenAndElevenCharacters)
{
    show ("Rainbows are bright\nover the hills");
    const juce::String text = editor.getText();
    editor.m_textAtFocus = text; // the text was drawn, not typed

    auto labelWithSelection = [&] (juce::Range<int> range)
    {
        editor.setHighlightedRegion (range);
        juce::PopupMenu menu;
        editor.addPopupMenuItems (menu, nullptr);
        for (auto& line : describe (menu))
            if (line.startsWith ("5:"))
                return line.substring (2);
        return juce::String ("(no item 5)");
    };

    EXPECT_EQ (labelWithSelection ({0, 1}), "Search for all words! ");
    EXPECT_EQ (labelWithSelection ({0, 10}), "Search highlight - (Rainbows a)");
    EXPECT_EQ (labelWithSelection ({0, 11}), "Search highlight - (Rainbows a...)");
    EXPECT_EQ (editor.m_searchText, "Rainbows ar");

    // Blanks around the selection are trimmed before counting.
    EXPECT_EQ (labelWithSelection ({8, 13}), "Search highlight - (are)");
}

TEST_F (LyricEditor, EmptyEditorGivesOnlyTheFrameworkItemsAndAnEmptyMap)
{
    show ("Love is blue");
    editor.clear();
    editor.m_textAtFocus = {};

    // Leaving an editor without words changes nothing in the engine.
    editor.textEditorFocusLost (editor);
    EXPECT_EQ (engine.m_wordMap.m_lineCount, 1);
    EXPECT_EQ (slot (0, 2).m_text, "blue");

    juce::PopupMenu menu;
    editor.addPopupMenuItems (menu, nullptr);
    EXPECT_EQ (engine.m_wordMap.m_lineCount, 0);
    EXPECT_EQ (describe (menu), frameworkEditItems (editor));
    EXPECT_EQ (describe (menu)[0], juce::String (juce::StandardApplicationCommandIDs::cut) + ":Cut");
}

TEST_F (LyricEditor, SearchesForAllWordsAndForAHighlight)
{
    show ("Love is blue.");
    EXPECT_EQ (editor.getText(), "Love is blue.\n");

    auto menu = menuAtCharacter (4);
    editor.performPopupMenuAction (5);
    ASSERT_EQ (dialogs.openedAddresses.size(), 1);
    EXPECT_EQ (dialogs.openedAddresses[0],
               quillet::getProductPageAddress ("/tools/quillet/search.html") +
                   "#https://www.google.com/search?hl=en&lr=&as_qdr=all&q=Love+is+blue&btnG=Search");

    show ("don't stop me now");
    editor.m_textAtFocus = editor.getText();
    editor.setHighlightedRegion ({0, 10});
    menu = juce::PopupMenu();
    editor.addPopupMenuItems (menu, nullptr);
    editor.performPopupMenuAction (5);
    ASSERT_EQ (dialogs.openedAddresses.size(), 2);
    EXPECT_TRUE (dialogs.openedAddresses[1].endsWith ("&q=don+t+stop&btnG=Search")) << dialogs.openedAddresses[1];

    // Look-ups never mark the document changed.
    EXPECT_EQ (workspace.changedCount, 0);
}

TEST_F (LyricEditor, WordLookUpsOpenTheirAddresses)
{
    show ("Love is blue");
    auto menu = menuAtCharacter (9);
    editor.performPopupMenuAction (2);
    editor.performPopupMenuAction (3);
    editor.performPopupMenuAction (4);

    EXPECT_EQ (dialogs.openedAddresses,
               juce::StringArray (LookupAddresses::ForThesaurus ("blue"), LookupAddresses::ForDictionary ("blue"),
                                  LookupAddresses::ForSearch ("blue")));
    EXPECT_TRUE (dialogs.openedAddresses[0].endsWith ("#https://www.thesaurus.com/browse/blue"));
    EXPECT_TRUE (dialogs.openedAddresses[1].endsWith ("#https://www.dictionary.com/browse/blue"));
    EXPECT_EQ (workspace.changedCount, 0);
}

TEST_F (LyricEditor, TypedTextOfAnotherShapeChangesTheRuleWhenLeaving)
{
    show ("one two three four\nfive six seven eight");
    editor.m_textAtFocus = editor.getText();

    editor.setText ("hello there\nmy good friend");
    editor.textEditorFocusLost (editor);

    ASSERT_EQ (workspace.ruleTexts.size(), 1);
    EXPECT_EQ (workspace.ruleTexts[0], "hello there\nmy good friend");
    EXPECT_EQ (engine.m_wordMap.GetWordCountInLine (1), 3);
    EXPECT_EQ (editor.getText(), "hello there,\nmy good friend.\n");

    // The same shape again leaves the rule alone.
    editor.setText ("so long\nand thanks all");
    editor.textEditorFocusLost (editor);
    EXPECT_EQ (workspace.ruleTexts.size(), 1);
    EXPECT_EQ (editor.getText(), "so long,\nand thanks all.\n");

    // Typing never marks the document changed.
    EXPECT_EQ (workspace.changedCount, 0);
}

TEST_F (LyricEditor, LockAllAndUnlockAllWords)
{
    show ("Wonderful remembering\nsomewhere wandering");
    juce::PopupMenu menu;
    editor.addPopupMenuItems (menu, nullptr);

    editor.performPopupMenuAction (7);
    EXPECT_EQ (workspace.changedCount, 1);
    for (int line = 0; line < 2; ++line)
        for (int word = 0; word < 2; ++word)
        {
            EXPECT_EQ (slot (line, word).m_locked, 1);
            EXPECT_TRUE (drawnBold (slot (line, word)));
        }

    // Locked words stay in place through a generation.
    char* lyric = engine.GenerateLyrics ("sun moon star", "", "");
    ASSERT_NE (lyric, nullptr);
    free (lyric);
    EXPECT_EQ (slot (0, 1).m_text, "remembering");
    EXPECT_EQ (slot (1, 1).m_text, "wandering");

    editor.performPopupMenuAction (6);
    EXPECT_EQ (workspace.changedCount, 2);
    EXPECT_EQ (slot (1, 1).m_locked, 0);
    EXPECT_FALSE (drawnBold (slot (1, 1)));
}

TEST_F (LyricEditor, FrameworkEditingItemsMarkTheDocumentChanged)
{
    show ("Love is blue");
    editor.performPopupMenuAction (juce::StandardApplicationCommandIDs::selectAll);
    EXPECT_EQ (workspace.changedCount, 1);
    EXPECT_EQ (editor.getHighlightedRegion().getLength(), editor.getTotalNumChars());
}
