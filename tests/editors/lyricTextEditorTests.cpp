// The lyric editor: drawing the word map, locks, the word under the mouse,
// the menu in each situation and the searches it opens.
#include "EditorTestSupport.h"

using namespace editortest;
using LyricEditor = EditorFixture;

TEST_F (LyricEditor, DrawsTheWordMapInTheGenerationFormWithLockedWordsBold)
{
    show ("Wonderful remembering\nsomewhere wandering");
    slot (0, 1).m_locked = 1;
    slot (1, 0).m_locked = 1;
    lyric.SetTextFromWordMap();

    EXPECT_EQ (lyric.getText(), "Wonderful remembering,\nsomewhere wandering.\n");
    EXPECT_EQ (slot (0, 1).m_start, 10);
    EXPECT_EQ (slot (1, 0).m_start, 23);
    EXPECT_EQ (slot (1, 1).m_start, 33);
    EXPECT_EQ (drawnFonts(), "-B|B-");
    EXPECT_FALSE (lyric.getFont().isBold()) << "typing goes on in the plain font";

    // A line whose words are all empty adds nothing, not even a line break; leading empty words add no blank.
    show ("a b\nc d\ne f");
    slot (1, 0).m_text = slot (1, 1).m_text = slot (2, 0).m_text = {};
    lyric.SetTextFromWordMap();
    EXPECT_EQ (lyric.getText(), "a b,\nf.\n");
    EXPECT_EQ (slot (1, 1).m_start, 5);
    EXPECT_EQ (slot (2, 1).m_start, 5);
}

TEST_F (LyricEditor, LockSwitchesRedrawOnlyThatWordAndEveryLockChangeMarksTheDocument)
{
    show ("Wonderful remembering\nsomewhere wandering");
    const auto textBefore = lyric.getText();

    EXPECT_EQ (describe (menuAt (lyric, slot (0, 1).m_start + 3))[0], "1:Lock Word");
    lyric.performPopupMenuAction (lyricTextEditor::switchLockId);
    EXPECT_EQ (slot (0, 1).m_locked, 1);
    EXPECT_EQ (changedCount, 1);
    EXPECT_EQ (lyric.getText(), textBefore);
    EXPECT_EQ (drawnFonts(), "-B|--");
    EXPECT_FALSE (lyric.getFont().isBold());

    EXPECT_EQ (describe (menuAt (lyric, slot (0, 1).m_start + 3))[0], "1:Unlock Word");
    lyric.performPopupMenuAction (lyricTextEditor::switchLockId);
    EXPECT_EQ (slot (0, 1).m_locked, 0);
    EXPECT_EQ (drawnFonts(), "--|--");
    EXPECT_EQ (changedCount, 2);

    lyric.performPopupMenuAction (lyricTextEditor::lockAllId);
    EXPECT_EQ (drawnFonts(), "BB|BB");
    lyric.performPopupMenuAction (lyricTextEditor::unlockAllId);
    EXPECT_EQ (drawnFonts(), "--|--");
    lyric.performPopupMenuAction (juce::StandardApplicationCommandIDs::selectAll);
    EXPECT_EQ (changedCount, 5);
}

TEST_F (LyricEditor, MenusAndTheLookUpsTheyOpenWithAWordABlankAHighlightAndAnEmptyMap)
{
    show ("Love is blue\nsky high");
    const auto menu = menuAt (lyric, 8); // the first letter of "blue"
    EXPECT_EQ (lyric.mp_wordUnderMouse, &slot (0, 2));
    EXPECT_EQ (describe (menu), juce::StringArray ({"1:Lock Word", "2:Thesaurus - blue", "3:Dictionary - blue",
                                                    "4:Search - blue", "-", "5:Search for all words! ",
                                                    "6:Unlock all words", "7:Lock all words", "-", ">Edit..."}));
    EXPECT_EQ (describeSubMenu (menu, "Edit..."), frameworkEditItems (lyric));
    for (int id : {2, 3, 4})
        lyric.performPopupMenuAction (id);

    // The blank right after "Love": no word, and no word items.
    EXPECT_EQ (describe (menuAt (lyric, 4)), juce::StringArray ({"5:Search for all words! ", "6:Unlock all words",
                                                                 "7:Lock all words", "-", ">Edit..."}));
    EXPECT_EQ (lyric.mp_wordUnderMouse, nullptr);
    lyric.performPopupMenuAction (lyricTextEditor::searchAllId);

    show ("Rainbows are bright\nover the hills");
    lyric.m_textAtFocus = lyric.getText(); // drawn, not typed
    auto searchLabel = [this] (juce::Range<int> selection)
    {
        lyric.setHighlightedRegion (selection);
        for (auto& line : describe (menuAt (lyric, -1)))
            if (line.startsWith ("5:"))
                return line.substring (2);
        return juce::String ("(no item 5)");
    };
    EXPECT_EQ (searchLabel ({0, 1}), "Search for all words! ");
    EXPECT_EQ (searchLabel ({8, 13}), "Search highlight - (are)") << "blanks are trimmed first";
    EXPECT_EQ (searchLabel ({0, 10}), "Search highlight - (Rainbows a)");
    EXPECT_EQ (searchLabel ({0, 11}), "Search highlight - (Rainbows a...)");
    lyric.performPopupMenuAction (lyricTextEditor::searchAllId);

    EXPECT_EQ (dialogs.openedAddresses,
               juce::StringArray (LookupAddresses::ForThesaurus ("blue"), LookupAddresses::ForDictionary ("blue"),
                                  LookupAddresses::ForSearch ("blue"), searchAddress ("Love+is+blue+sky+high"),
                                  searchAddress ("Rainbows+ar")));
    EXPECT_EQ (changedCount, 0) << "look-ups leave the document alone";

    // An editor without words: the framework's items alone, and the word map becomes empty.
    lyric.clear();
    lyric.m_textAtFocus = {};
    EXPECT_EQ (describe (menuAt (lyric, -1)), frameworkEditItems (lyric));
    EXPECT_EQ (engine.m_wordMap.m_lineCount, 0);
}

TEST_F (LyricEditor, TypedTextOfAnotherShapeChangesTheRuleWhenLeaving)
{
    show ("one two three four\nfive six seven eight");
    lyric.setText ("hello there\nmy good friend");
    lyric.textEditorFocusLost (lyric);
    EXPECT_EQ (ruleTexts, juce::StringArray ("hello there\nmy good friend"));
    EXPECT_EQ (lyric.getText(), "hello there,\nmy good friend.\n");

    lyric.setText ("so long\nand thanks all"); // the same shape: the rule is left alone
    lyric.textEditorFocusLost (lyric);
    EXPECT_EQ (ruleTexts.size(), 1);
    EXPECT_EQ (lyric.getText(), "so long,\nand thanks all.\n");

    lyric.setText ("");
    lyric.textEditorFocusLost (lyric); // no words: nothing changes in the engine
    EXPECT_EQ (slot (1, 2).m_text, "all");
    EXPECT_EQ (changedCount, 0) << "typing alone never marks the document";
}
