#pragma once

#include "Quillet.h"
#include "quilletWorkspaceLink.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace editortest
{
/** Stands in for the workspace: counts "document changed" marks and records
    the rule texts; applies a text's shape to the engine as the real one does. */
struct WorkspaceStandIn : public quilletWorkspaceLink
{
    Quillet* engine = nullptr;
    int changedCount = 0;
    juce::StringArray ruleTexts;

    void SetRuleGivenThisText (const juce::String& lyricText) override
    {
        ruleTexts.add (lyricText);
        if (engine == nullptr)
            return;

        auto shape = std::make_unique<WordMap>();
        shape->SetFromString (lyricText);
        engine->m_wordMap.SetLineCount (shape->m_lineCount);
        for (int line = 0; line < shape->m_lineCount; ++line)
            engine->m_wordMap.SetWordCountInLine (line, shape->GetWordCountInLine (line));
    }

    void MarkDocumentChanged() override { ++changedCount; }
};

/** A right-click at a point of a component, as the framework hands it to addPopupMenuItems. */
inline juce::MouseEvent rightClickAt (juce::Component& component, juce::Point<int> position)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), position.toFloat(),
                             juce::ModifierKeys (juce::ModifierKeys::rightButtonModifier),
                             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
                             juce::MouseInputSource::defaultTiltY, &component, &component, now, position.toFloat(), now,
                             1, false);
}

/** A point inside the character at this index (one pixel right of its left edge, left of its middle, vertically
 * centred). */
inline juce::Point<int> pointOnCharacter (const juce::TextEditor& editor, int index)
{
    const auto caret = editor.getCaretRectangleForCharIndex (index);
    return {caret.getX() + 1, caret.getCentreY()};
}

/** Width in pixels of the drawn characters [start, start + length) on one line. */
inline int drawnWidth (const juce::TextEditor& editor, int start, int length)
{
    return editor.getCaretRectangleForCharIndex (start + length).getX() -
           editor.getCaretRectangleForCharIndex (start).getX();
}

/** One line per item: "id:label", "id:label (off)" when greyed, "-" for a separator,
    ">label" for a sub-menu. */
inline juce::StringArray describe (const juce::PopupMenu& menu)
{
    juce::StringArray lines;
    for (juce::PopupMenu::MenuItemIterator it (menu, false); it.next();)
    {
        const auto& item = it.getItem();
        if (item.isSeparator)
            lines.add ("-");
        else if (item.subMenu != nullptr)
            lines.add (">" + item.text);
        else
            lines.add (juce::String (item.itemID) + ":" + item.text + (item.isEnabled ? "" : " (off)"));
    }
    return lines;
}

inline const juce::PopupMenu* findSubMenu (const juce::PopupMenu& menu, const juce::String& title)
{
    for (juce::PopupMenu::MenuItemIterator it (menu, false); it.next();)
        if (it.getItem().subMenu != nullptr && it.getItem().text == title)
            return it.getItem().subMenu.get();
    return nullptr;
}

/** The framework's own editing items for an editor in this state, to compare sub-menus with. */
inline juce::StringArray frameworkEditItems (juce::TextEditor& editor)
{
    juce::PopupMenu menu;
    editor.juce::TextEditor::addPopupMenuItems (menu, nullptr);
    return describe (menu);
}

/** A fresh, empty folder for one test, removed afterwards. */
struct TempFolder
{
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getNonexistentChildFile ("quillet-editors-test", "", false);
    TempFolder() { folder.createDirectory(); }
    ~TempFolder() { folder.deleteRecursively(); }
};

inline std::ostream& operator<< (std::ostream& os, const juce::StringArray& lines)
{
    return os << lines.joinIntoString (" | ").toStdString();
}
} // namespace editortest

namespace juce
{
inline void PrintTo (const String& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo (const StringArray& lines, std::ostream* os)
{
    *os << "[" << lines.joinIntoString (" | ").toStdString() << "]";
}
} // namespace juce
