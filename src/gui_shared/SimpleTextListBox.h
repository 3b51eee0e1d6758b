#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The lyric history: a list box that is its own model and holds one whole
    lyric text per entry, reached by index like a classic string list box. */
class SimpleTextListBox : public juce::ListBox, public juce::ListBoxModel
{
public:
    using ItemCallback = void (*) (void* context, juce::ListBox* list, int row, const juce::MouseEvent& event);

    explicit SimpleTextListBox (const juce::String& componentName);
    ~SimpleTextListBox() override;

    void AddString (juce::String text);
    void InsertString (int index, juce::String text);
    void DeleteString (int index);
    void SetStringAt (int index, juce::String text);
    void ResetContent();

    juce::String GetString (int index);

    /** The entry as UTF-8, owned by the entry: valid until that entry changes. Null outside the entries. */
    const char* GetText (int index);

    /** The first selected entry as UTF-8, or null when no row is selected. */
    const char* GetCurSelText();

    int getNumRows() override;
    void paintListBoxItem (int rowNumber, juce::Graphics& g, int width, int height, bool rowIsSelected) override;
    void listBoxItemClicked (int row, const juce::MouseEvent& event) override;
    void listBoxItemDoubleClicked (int row, const juce::MouseEvent& event) override;

    juce::StringArray m_items;
    ItemCallback mp_itemCallback = nullptr;
    void* mp_callbackContext = nullptr;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SimpleTextListBox)
};
