#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class Quillet;
class WordState;
class quilletWorkspaceLink;

/** The lyric box: draws the engine's word map as text with locked words in
    bold, brings typed text back into the word map, and offers a menu that
    locks words and looks words up on the web. */
class lyricTextEditor : public juce::TextEditor, public juce::TextEditor::Listener
{
public:
    enum MenuIds
    {
        switchLockId = 1,
        thesaurusId = 2,
        dictionaryId = 3,
        searchWordId = 4,
        searchAllId = 5,
        unlockAllId = 6,
        lockAllId = 7
    };

    static constexpr float wordFontHeight = 14.0f;

    lyricTextEditor (const juce::String& componentName, wchar_t passwordCharacter);
    ~lyricTextEditor() override;

    void SetQuillet (Quillet* quillet);
    void SetQuilletComponent (quilletWorkspaceLink* workspace);

    /** Redraws the whole text from the engine's word map, noting where each word starts. */
    void SetTextFromWordMap();

    /** Shows a lyric text, bringing the engine and (through the workspace) the rule in line with its shape.
        A text without any word changes nothing. */
    void SetWindowTextLyric (const juce::String& text);

    /** The word-map slot drawn at this character index, or null. */
    WordState* FindWordAtTextIndex (int index) const;

    void focusGained (juce::Component::FocusChangeType cause) override;
    void addPopupMenuItems (juce::PopupMenu& menu, const juce::MouseEvent* mouseEvent) override;
    void performPopupMenuAction (int menuItemID) override;

    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    void textEditorFocusLost (juce::TextEditor&) override;

    juce::String m_textAtFocus;
    Quillet* mp_quillet = nullptr;
    quilletWorkspaceLink* mp_quilletComponent = nullptr;
    WordState* mp_wordUnderMouse = nullptr;
    juce::String m_wordUnderMouseText;
    juce::String m_searchText;

private:
    void MarkDocumentChanged();
    void SwitchLockOfWordUnderMouse();
    void SetAllLocks (int value);
    void OpenAddress (const juce::String& address);

    static juce::Font WordFont (bool locked);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (lyricTextEditor)
};
