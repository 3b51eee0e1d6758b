#pragma once

#include "Quillet.h"
#include "quilletWorkspaceLink.h"

#include <juce_gui_basics/juce_gui_basics.h>
#include <juce_gui_extra/juce_gui_extra.h>

#include <memory>

class lyricTextEditor;
class searchableTextEditor;
class SimpleTextListBox;
class quilletDocumentHost;
class MyFileReader;

/** One open document: its idea boxes, rule box, lyric editor, lyric history and
    engine. It is at the same time the document (FileBasedDocument) and the
    listener of its own buttons and rule box.

    The layout is drawn for 825 x 500 and every child is scaled from its design
    rectangle by the component's actual size (see resized()).
*/
class quilletComponent : public juce::Component,
                         public juce::FileBasedDocument,
                         public juce::Button::Listener,
                         public juce::ComboBox::Listener,
                         public quilletWorkspaceLink
{
public:
    quilletComponent();
    ~quilletComponent() override;

    //==============================================================================
    // Layout (quilletComponent.cpp)
    void paint (juce::Graphics& g) override;
    void resized() override;

    /** The main window, shared by every workspace for its recent-files list and document panel. */
    static void SetMainWindow (quilletDocumentHost* window);
    static quilletDocumentHost* mp_quillet_Window;

    /** The logo drawn by paint(): SVG data, or null / 0 when the program carries none. */
    static const char* const quillet_svg;
    static const int quillet_svgSize;

    /** The logo made from image data; null when the data cannot be read. */
    static std::unique_ptr<juce::Drawable> CreateLogoDrawable (const void* data, size_t numBytes);

    //==============================================================================
    // Document (quilletComponentDocument.cpp)
    juce::String getDocumentTitle() override;
    juce::Result loadDocument (const juce::File& file) override;
    juce::Result saveDocument (const juce::File& file) override;
    juce::File getLastDocumentOpened() override;
    void setLastDocumentOpened (const juce::File& file) override;

    bool private_SaveToPath (const juce::String& fullPath);
    void SetPathEtc (juce::String path, juce::RecentlyOpenedFilesList* list);
    bool ReadXmlFile (MyFileReader* reader);
    bool ReadTextFile (juce::File file);
    bool DoFileOpenPath (juce::File file);

    /** What the Save command calls. Writes to the document's file without asking once the document was opened
        from it or saved to it, or when no file exists there yet. A new or imported document whose path names a
        file it never read or wrote (a second "untitled.quillet", an existing "notes.quillet" beside an imported
        "notes.txt"), or a document without a path, asks for a file as Save As does instead. Dialogs and the
        failure message go through ModalDialogs. True when the document was saved. */
    bool SaveForSaveCommand();

    /** What the Save As command calls: asks for a file (the chooser asks before replacing one) and saves there.
        True when the document was saved; false when the user cancelled or the save failed (reported). */
    bool SaveAsForSaveAsCommand();

    /** True when saving to `file` would replace a file that this document never read or wrote: `file` is the
        document's own path, something exists there, and the document did not come from it. saveDocument() asks for
        another file in that case, so that the framework's own save paths cannot overwrite it silently either. */
    bool SaveWouldReplaceAnotherFile (const juce::File& file) const;

    //==============================================================================
    // Actions (quilletComponentActions.cpp)
    void buttonClicked (juce::Button* button) override;
    void comboBoxChanged (juce::ComboBox* box) override;

    /** Writes a rule into the word map and redraws the lyric editor. */
    void OnRuleComboBoxChanged (const juce::String& rule);

    /** Derives the rule from a lyric's shape, shows it in the rule box and applies it. */
    void SetRuleGivenThisText (const juce::String& lyricText) override;

    void MarkDocumentChanged() override;

    /** Puts the selected history entry into the lyric editor (and onto the clipboard). */
    void CopyCurrentHistoryItemIntoWindow();

    //==============================================================================
    // Export and clipboard (quilletComponentExport.cpp)

    /** Copies the lyric to the clipboard and, on request, into the history
        (replacing the selected entry, or appended as the new last one). */
    void CopyTextToClipboard (bool addToHistory, bool replaceSelected);

    /** Asks for a file and writes every history entry into it as plain text. */
    void DoExport();

    //==============================================================================
    Quillet m_quillet;
    juce::Rectangle<int> m_designBounds;
    juce::String m_documentPath;
    juce::String m_documentTitle;
    juce::RecentlyOpenedFilesList* mp_recentFiles = nullptr;
    bool m_documentFileIsOwn = false; // m_documentPath names a file this document was read from or written to

    // The 21 controls, in creation order (which is also their stacking order).
    std::unique_ptr<juce::GroupComponent> ideasGroup;
    std::unique_ptr<juce::GroupComponent> lyricsGroup;
    std::unique_ptr<juce::GroupComponent> versesGroup;
    std::unique_ptr<juce::TextButton> createLyricsButton;
    std::unique_ptr<juce::Label> ruleLabel;
    std::unique_ptr<juce::Label> ideasLabel;
    std::unique_ptr<SimpleTextListBox> historyListBox;
    std::unique_ptr<juce::TextButton> replaceButton;
    std::unique_ptr<juce::Label> historyLabel;
    std::unique_ptr<juce::TextButton> deleteButton;
    std::unique_ptr<juce::TextButton> deleteAllButton;
    std::unique_ptr<lyricTextEditor> lyricsEditor;
    std::unique_ptr<searchableTextEditor> ideaEditor1;
    std::unique_ptr<searchableTextEditor> ideaEditor2;
    std::unique_ptr<searchableTextEditor> ideaEditor3;
    std::unique_ptr<juce::TextButton> moveUpButton;
    std::unique_ptr<juce::TextButton> moveDownButton;
    std::unique_ptr<juce::TextButton> deleteRuleButton;
    std::unique_ptr<juce::ComboBox> ruleComboBox;
    std::unique_ptr<juce::TextButton> addButton;
    std::unique_ptr<juce::TextButton> editButton;

    std::unique_ptr<juce::Drawable> logoDrawable;

private:
    void applyDesignBounds();
    void runCreateLyrics();
    void moveSelectedHistoryEntry (int step);
    void deleteCurrentRule();
    void editSelectedHistoryEntry();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (quilletComponent)
};

/** Selects the entry whose text equals text, or adds it (with a new item ID) and selects it. */
void ComboBox_AddStringIfNotAlreadyThere (juce::ComboBox* box, juce::String text);

/** Replaces typographic dashes, quotes and ellipses by their ASCII forms, in place. */
void ConvertWindowsAscii (juce::String& text);

/** The history list's item callback: a click only changes the list's own selection. */
void MyListBoxItemEvent (void* context, juce::ListBox* list, int row, const juce::MouseEvent& e);
