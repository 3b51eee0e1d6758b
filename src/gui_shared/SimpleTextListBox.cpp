#include "SimpleTextListBox.h"

SimpleTextListBox::SimpleTextListBox (const juce::String& componentName)
    : juce::ListBox (componentName, nullptr)
{
    setModel (this);
}

SimpleTextListBox::~SimpleTextListBox()
{
    // The base list box must not call back into a model that is half destroyed.
    setModel (nullptr);
}

void SimpleTextListBox::AddString (juce::String text)
{
    m_items.add (text);
    updateContent();
}

void SimpleTextListBox::InsertString (int index, juce::String text)
{
    m_items.insert (index, text);
    updateContent();
}

void SimpleTextListBox::DeleteString (int index)
{
    m_items.remove (index);
    updateContent();
}

void SimpleTextListBox::SetStringAt (int index, juce::String text)
{
    DeleteString (index);
    InsertString (index, text);
}

void SimpleTextListBox::ResetContent()
{
    m_items.clear();
    updateContent();
}

juce::String SimpleTextListBox::GetString (int index)
{
    return m_items[index];
}

const char* SimpleTextListBox::GetText (int index)
{
    if (!juce::isPositiveAndBelow (index, m_items.size()))
        return nullptr;

    return m_items.getReference (index).toRawUTF8();
}

const char* SimpleTextListBox::GetCurSelText()
{
    const int row = getSelectedRow (0);
    return row < 0 ? nullptr : GetText (row);
}

int SimpleTextListBox::getNumRows()
{
    return m_items.size();
}

void SimpleTextListBox::paintListBoxItem (int rowNumber, juce::Graphics& g, int width, int height, bool rowIsSelected)
{
    if (rowIsSelected)
        g.fillAll (juce::Colours::lightblue);

    g.setColour (juce::Colours::black);
    g.setFont (juce::Font ((float)height * 0.7f, juce::Font::plain));
    g.drawText (m_items[rowNumber], 5, 0, width, height, juce::Justification::centredLeft, true);
}

void SimpleTextListBox::listBoxItemClicked (int row, const juce::MouseEvent& event)
{
    if (mp_itemCallback != nullptr)
        mp_itemCallback (mp_callbackContext, this, row, event);
}

void SimpleTextListBox::listBoxItemDoubleClicked (int row, const juce::MouseEvent& event)
{
    if (mp_itemCallback != nullptr)
        mp_itemCallback (mp_callbackContext, this, row, event);
}
