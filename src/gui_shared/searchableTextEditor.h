#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class quilletWorkspaceLink;

/** An idea box: a text editor whose right-click menu looks up the word under
    the mouse on the web, searches for all its words, and loads or saves its
    text as a plain text file. */
class searchableTextEditor : public juce::TextEditor, public juce::TextEditor::Listener
{
public:
    enum MenuIds
    {
        thesaurusId = 1,
        dictionaryId = 2,
        searchWordId = 3,
        searchAllId = 4,
        showWebBrowserId = 5,
        openFileId = 18,
        saveFileId = 19
    };

    searchableTextEditor (const juce::String& componentName, wchar_t passwordCharacter);
    ~searchableTextEditor() override;

    void SetQuilletComponent (quilletWorkspaceLink* workspace);

    void addPopupMenuItems (juce::PopupMenu& menu, const juce::MouseEvent* mouseEvent) override;
    void performPopupMenuAction (int menuItemID) override;

    void textEditorTextChanged (juce::TextEditor&) override;
    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void textEditorEscapeKeyPressed (juce::TextEditor&) override;
    void textEditorFocusLost (juce::TextEditor&) override;

    /** Asks where to save the text and writes it as UTF-8; false when cancelled or the writing failed. */
    bool DoSaveTextToFile();

    /** The word a right-click at this character index takes: the run of letters
        and digits around it, or the one ending right before it; empty when that
        run is shorter than two characters or the index is past the text. */
    static juce::String FindLookupWordAt (const juce::String& text, int index);

    juce::String m_searchText;
    juce::String m_lookupWord;
    quilletWorkspaceLink* mp_quilletComponent = nullptr;

private:
    void MarkDocumentChanged();
    void DoLoadTextFromFile();
    void OpenAddress (const juce::String& address);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (searchableTextEditor)
};
