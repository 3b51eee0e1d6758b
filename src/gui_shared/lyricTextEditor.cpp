#include "lyricTextEditor.h"

#include "LookupAddresses.h"
#include "LookupMenuText.h"
#include "ModalDialogs.h"
#include "Quillet.h"
#include "quilletWorkspaceLink.h"

#include <memory>

lyricTextEditor::lyricTextEditor (const juce::String& componentName, wchar_t passwordCharacter)
    : juce::TextEditor (componentName, (juce::juce_wchar)passwordCharacter)
{
    addListener (this);
}

lyricTextEditor::~lyricTextEditor()
{
    removeListener (this);
}

void lyricTextEditor::SetQuillet (Quillet* quillet)
{
    mp_quillet = quillet;
}

void lyricTextEditor::SetQuilletComponent (quilletWorkspaceLink* workspace)
{
    mp_quilletComponent = workspace;
}

juce::Font lyricTextEditor::WordFont (bool locked)
{
    return juce::Font (wordFontHeight, locked ? juce::Font::bold : juce::Font::plain);
}

void lyricTextEditor::SetTextFromWordMap()
{
    if (mp_quillet == nullptr)
        return;

    clear();
    auto& map = mp_quillet->m_wordMap;

    for (int line = 0; line < map.m_lineCount; ++line)
    {
        const int wordCount = map.GetWordCountInLine (line);
        juce::String lineText;

        for (int position = 0; position < wordCount; ++position)
        {
            auto* slot = map.GetWordAtXY (line, position);
            setFont (WordFont (slot->m_locked != 0));
            slot->m_start = getTotalNumChars();
            lineText += slot->m_text;
            insertTextAtCaret (slot->m_text);

            // Separators follow only once the line has a visible word, so a
            // line of empty words adds nothing at all.
            if (lineText.trim().isEmpty())
                continue;

            if (position == wordCount - 1)
                insertTextAtCaret (line == map.m_lineCount - 1 ? ".\n" : ",\n");
            else
                insertTextAtCaret (" ");
        }
    }

    setFont (WordFont (false));
}

void lyricTextEditor::SetWindowTextLyric (const juce::String& text)
{
    if (mp_quillet == nullptr)
        return;

    // A word map is large; keep the look at the text's shape off the stack.
    auto shape = std::make_unique<WordMap>();
    shape->SetFromString (text);

    if (shape->m_totalWordCount < 1)
        return;

    auto& map = mp_quillet->m_wordMap;
    bool shapeDiffers = shape->m_lineCount != map.m_lineCount;

    for (int line = 0; line < shape->m_lineCount && !shapeDiffers; ++line)
        shapeDiffers = shape->GetWordCountInLine (line) != map.GetWordCountInLine (line);

    if (shapeDiffers && mp_quilletComponent != nullptr)
        mp_quilletComponent->SetRuleGivenThisText (text);

    mp_quillet->SetString (text);
    SetTextFromWordMap();
}

WordState* lyricTextEditor::FindWordAtTextIndex (int index) const
{
    if (mp_quillet == nullptr)
        return nullptr;

    auto& map = mp_quillet->m_wordMap;

    for (int line = 0; line < map.m_lineCount; ++line)
    {
        const int wordCount = map.GetWordCountInLine (line);

        for (int position = 0; position < wordCount; ++position)
        {
            auto* slot = map.GetWordAtXY (line, position);

            if (slot->m_start <= index && index < slot->m_start + slot->m_length)
                return slot;
        }
    }

    return nullptr;
}

void lyricTextEditor::focusGained (juce::Component::FocusChangeType cause)
{
    juce::TextEditor::focusGained (cause);
    m_textAtFocus = getText();
}

void lyricTextEditor::textEditorTextChanged (juce::TextEditor&) {}
void lyricTextEditor::textEditorReturnKeyPressed (juce::TextEditor&) {}
void lyricTextEditor::textEditorEscapeKeyPressed (juce::TextEditor&) {}

void lyricTextEditor::textEditorFocusLost (juce::TextEditor&)
{
    const auto text = getText();

    // While the menu is up the focus only went to the menu: bring in the
    // text only if the user changed it. A real focus change always does.
    if (isPopupMenuCurrentlyActive() && text == m_textAtFocus)
        return;

    SetWindowTextLyric (text);
}

void lyricTextEditor::addPopupMenuItems (juce::PopupMenu& menu, const juce::MouseEvent* mouseEvent)
{
    if (mp_quillet == nullptr)
    {
        juce::TextEditor::addPopupMenuItems (menu, mouseEvent);
        return;
    }

    if (getText() != m_textAtFocus)
    {
        SetWindowTextLyric (getText());
        m_textAtFocus = getText();
    }

    auto& map = mp_quillet->m_wordMap;

    if (getText() != map.m_text)
        mp_quillet->SetString (getText());

    m_wordUnderMouseText.clear();

    const auto mousePosition = mouseEvent != nullptr ? mouseEvent->getPosition() : juce::Point<int>();
    const juce::String highlight =
        getHighlightedRegion().getLength() > 1 ? getHighlightedText().trim() : juce::String();

    mp_wordUnderMouse = FindWordAtTextIndex (getTextIndexAt (mousePosition));
    if (mp_wordUnderMouse != nullptr)
        m_wordUnderMouseText = mp_wordUnderMouse->m_text;

    juce::PopupMenu editMenu;
    juce::TextEditor::addPopupMenuItems (editMenu, mouseEvent);

    if (map.m_lineCount < 1)
    {
        juce::TextEditor::addPopupMenuItems (menu, mouseEvent);
        return;
    }

    if (mp_wordUnderMouse != nullptr)
    {
        menu.addItem (switchLockId, juce::translate (mp_wordUnderMouse->m_locked == 1 ? "Unlock Word" : "Lock Word"));
        menu.addItem (thesaurusId, juce::translate ("Thesaurus - ") + m_wordUnderMouseText);
        menu.addItem (dictionaryId, juce::translate ("Dictionary - ") + m_wordUnderMouseText);
        menu.addItem (searchWordId, juce::translate ("Search - ") + m_wordUnderMouseText);
    }

    menu.addSeparator();

    if (highlight.isNotEmpty())
    {
        menu.addItem (searchAllId, HighlightSearchLabel (highlight));
        m_searchText = highlight;
    }
    else
    {
        menu.addItem (searchAllId, juce::translate ("Search for all words! "));

        juce::StringArray words;
        for (int line = 0; line < map.m_lineCount; ++line)
            for (int position = 0; position < map.GetWordCountInLine (line); ++position)
                words.add (map.GetWordAtXY (line, position)->m_text);

        m_searchText = words.joinIntoString (" ");
    }

    menu.addItem (unlockAllId, juce::translate ("Unlock all words"));
    menu.addItem (lockAllId, juce::translate ("Lock all words"));
    menu.addSeparator();
    menu.addSubMenu ("Edit...", editMenu);
}

void lyricTextEditor::performPopupMenuAction (int menuItemID)
{
    switch (menuItemID)
    {
    case switchLockId:
        SwitchLockOfWordUnderMouse();
        break;
    case thesaurusId:
        OpenAddress (LookupAddresses::ForThesaurus (m_wordUnderMouseText));
        break;
    case dictionaryId:
        OpenAddress (LookupAddresses::ForDictionary (m_wordUnderMouseText));
        break;
    case searchWordId:
        OpenAddress (LookupAddresses::ForSearch (m_wordUnderMouseText));
        break;
    case searchAllId:
        OpenAddress (LookupAddresses::ForAllWordsSearch (m_searchText));
        break;
    case unlockAllId:
        SetAllLocks (0);
        break;
    case lockAllId:
        SetAllLocks (1);
        break;
    default:
        MarkDocumentChanged();
        juce::TextEditor::performPopupMenuAction (menuItemID);
        break;
    }
}

void lyricTextEditor::SwitchLockOfWordUnderMouse()
{
    if (mp_wordUnderMouse == nullptr)
        return;

    MarkDocumentChanged();

    auto& slot = *mp_wordUnderMouse;
    slot.m_locked = slot.m_locked == 1 ? 0 : 1;

    // Redraw just this word in its new font.
    setHighlightedRegion ({slot.m_start, slot.m_start + slot.m_length});
    setFont (WordFont (slot.m_locked != 0));
    insertTextAtCaret (slot.m_text);
    setFont (WordFont (false));
}

void lyricTextEditor::SetAllLocks (int value)
{
    if (mp_quillet == nullptr)
        return;

    MarkDocumentChanged();
    mp_quillet->m_wordMap.SetAllWordLocksToThisValue (value);
    SetTextFromWordMap();
}

void lyricTextEditor::MarkDocumentChanged()
{
    if (mp_quilletComponent != nullptr)
        mp_quilletComponent->MarkDocumentChanged();
}

void lyricTextEditor::OpenAddress (const juce::String& address)
{
    if (address.isNotEmpty())
        ModalDialogs::get().openAddress (address);
}
