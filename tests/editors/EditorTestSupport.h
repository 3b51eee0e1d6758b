#pragma once

#include "LookupAddresses.h"
#include "ProductSite.h"
#include "Quillet.h"
#include "ScriptedDialogs.h"
#include "lyricTextEditor.h"
#include "quilletWorkspaceLink.h"
#include "searchableTextEditor.h"

#include <gtest/gtest.h>

namespace editortest
{
/** The search address for an already encoded query. */
inline juce::String searchAddress (const juce::String& query)
{
    return quillet::getProductPageAddress ("/tools/quillet/search.html") +
           "#https://www.google.com/search?hl=en&lr=&as_qdr=all&q=" + query + "&btnG=Search";
}

/** One line per menu item: "id:label", "id:label (off)" when greyed, "-" for a separator, ">label" for a sub-menu. */
inline juce::StringArray describe (const juce::PopupMenu& menu)
{
    juce::StringArray lines;
    for (juce::PopupMenu::MenuItemIterator it (menu, false); it.next();)
    {
        const auto& item = it.getItem();
        lines.add (item.isSeparator ? juce::String ("-")
                   : item.subMenu != nullptr
                       ? ">" + item.text
                       : juce::String (item.itemID) + ":" + item.text + (item.isEnabled ? "" : " (off)"));
    }
    return lines;
}

inline juce::StringArray describeSubMenu (const juce::PopupMenu& menu, const juce::String& title)
{
    for (juce::PopupMenu::MenuItemIterator it (menu, false); it.next();)
        if (it.getItem().subMenu != nullptr && it.getItem().text == title)
            return describe (*it.getItem().subMenu);
    return {"(no sub-menu " + title + ")"};
}

/** Both kinds of editor, with this fixture standing in for their workspace: it counts "document changed" marks and
    records rule texts. */
struct EditorFixture : public ::testing::Test, public quilletWorkspaceLink
{
    Quillet engine;
    ScriptedDialogs dialogs;
    lyricTextEditor lyric{"LyricsTextEditor", 0};
    searchableTextEditor idea{"TextEditor1", 0};
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("quillet-editors-test", "", false);
    int changedCount = 0;
    juce::StringArray ruleTexts;

    EditorFixture()
    {
        folder.createDirectory();
        for (juce::TextEditor* editor : {(juce::TextEditor*)&lyric, (juce::TextEditor*)&idea})
        {
            editor->setMultiLine (true);
            editor->setReturnKeyStartsNewLine (true);
            editor->setSize (900, 400);
        }
        lyric.SetQuillet (&engine);
        lyric.SetQuilletComponent (this);
        idea.SetQuilletComponent (this);
    }

    ~EditorFixture() override { folder.deleteRecursively(); }

    void SetRuleGivenThisText (const juce::String& lyricText) override { ruleTexts.add (lyricText); }
    void MarkDocumentChanged() override { ++changedCount; }

    void show (const juce::String& lyricText)
    {
        engine.SetString (lyricText);
        lyric.SetTextFromWordMap();
    }

    WordState& slot (int line, int word) { return *engine.m_wordMap.GetWordAtXY (line, word); }

    /** The editor's menu for a right-click inside the character at this index (-1: no mouse event, as from a key). */
    static juce::PopupMenu menuAt (juce::TextEditor& editor, int index)
    {
        const auto caret = editor.getCaretRectangleForCharIndex (index);
        const juce::Point<float> at ((float)caret.getX() + 1.0f, (float)caret.getCentreY());
        const auto now = juce::Time::getCurrentTime();
        const juce::MouseEvent click (juce::Desktop::getInstance().getMainMouseSource(), at,
                                      juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier), 0.0f, 0.0f, 0.0f,
                                      0.0f, 0.0f, &editor, &editor, now, at, now, 1, false);
        juce::PopupMenu menu;
        editor.addPopupMenuItems (menu, index < 0 ? nullptr : &click);
        return menu;
    }

    /** The framework's own editing items for an editor in its present state. */
    static juce::StringArray frameworkEditItems (juce::TextEditor& editor)
    {
        juce::PopupMenu menu;
        editor.juce::TextEditor::addPopupMenuItems (menu, nullptr);
        return describe (menu);
    }

    /** One character per word of the map, "B" when drawn in the bold font (its drawn width nearer the bold
        width than the plain one) or "-", lines separated by "|". */
    juce::String drawnFonts()
    {
        juce::String fonts;
        for (int line = 0; line < engine.m_wordMap.m_lineCount; ++line)
            for (int position = 0; position < engine.m_wordMap.GetWordCountInLine (line); ++position)
            {
                const auto& word = slot (line, position);
                const float plain = juce::Font (14.0f, juce::Font::plain).getStringWidthFloat (word.m_text);
                const float bold = juce::Font (14.0f, juce::Font::bold).getStringWidthFloat (word.m_text);
                const auto drawn = (float)(lyric.getCaretRectangleForCharIndex (word.m_start + word.m_length).getX() -
                                           lyric.getCaretRectangleForCharIndex (word.m_start).getX());
                EXPECT_GT (bold - plain, 3.0f) << "test words must differ clearly in width between the fonts";
                fonts << (line > 0 && position == 0 ? "|" : "")
                      << (std::abs (drawn - bold) < std::abs (drawn - plain) ? "B" : "-");
            }
        return fonts;
    }
};
} // namespace editortest
