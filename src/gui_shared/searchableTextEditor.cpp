#include "searchableTextEditor.h"

#include "LookupAddresses.h"
#include "LookupMenuText.h"
#include "ModalDialogs.h"
#include "my_bw_file.h"
#include "quilletWorkspaceLink.h"

#include <memory>

searchableTextEditor::searchableTextEditor (const juce::String& componentName, wchar_t passwordCharacter)
    : juce::TextEditor (componentName, (juce::juce_wchar)passwordCharacter)
{
    addListener (this);
}

searchableTextEditor::~searchableTextEditor()
{
    removeListener (this);
}

void searchableTextEditor::SetQuilletComponent (quilletWorkspaceLink* workspace)
{
    mp_quilletComponent = workspace;
}

juce::String searchableTextEditor::FindLookupWordAt (const juce::String& text, int index)
{
    // UTF-32 gives constant-time indexing while walking to the word's ends.
    const auto characters = text.toUTF32();
    const int n = (int)characters.length();

    if (index < 0 || index >= n)
        return {};

    int end = index;
    while (end < n && juce::CharacterFunctions::isLetterOrDigit (characters[end]))
        ++end;

    int start = end;
    while (start > 0 && juce::CharacterFunctions::isLetterOrDigit (characters[start - 1]))
        --start;

    return end - start >= 2 ? text.substring (start, end) : juce::String();
}

void searchableTextEditor::addPopupMenuItems (juce::PopupMenu& menu, const juce::MouseEvent* mouseEvent)
{
    m_lookupWord.clear();

    const auto clickPosition = mouseEvent != nullptr ? mouseEvent->getPosition() : juce::Point<int>();
    const int index = getTextIndexAt (clickPosition);

    m_searchText = getText();

    const juce::String selection =
        getHighlightedRegion().getLength() > 1 ? getHighlightedText().trim() : juce::String();

    m_lookupWord = FindLookupWordAt (m_searchText, index);

    juce::PopupMenu editMenu;
    juce::TextEditor::addPopupMenuItems (editMenu, mouseEvent);

    juce::PopupMenu fileMenu;
    fileMenu.addItem (openFileId, juce::translate ("Open..."), !isReadOnly());
    fileMenu.addItem (saveFileId, juce::translate ("Save..."), !isReadOnly());

    if (m_lookupWord.isNotEmpty())
    {
        menu.addItem (thesaurusId, juce::translate ("Thesaurus - ") + m_lookupWord);
        menu.addItem (dictionaryId, juce::translate ("Dictionary - ") + m_lookupWord);
        menu.addItem (searchWordId, juce::translate ("Search - ") + m_lookupWord);
        menu.addSeparator();

        if (selection.isEmpty())
        {
            menu.addItem (searchAllId, juce::translate ("Search for all words! "));
        }
        else
        {
            menu.addItem (searchAllId, HighlightSearchLabel (selection));
            m_searchText = selection;
        }

        menu.addSeparator();
    }

    menu.addSubMenu ("Edit...", editMenu);
    menu.addSubMenu ("Idea Text File...", fileMenu);
    menu.addSeparator();
    menu.addItem (showWebBrowserId, juce::translate ("Show Web Browser"));
}

void searchableTextEditor::performPopupMenuAction (int menuItemID)
{
    switch (menuItemID)
    {
    case thesaurusId:
        OpenAddress (LookupAddresses::ForThesaurus (m_lookupWord));
        break;
    case dictionaryId:
        OpenAddress (LookupAddresses::ForDictionary (m_lookupWord));
        break;
    case searchWordId:
        OpenAddress (LookupAddresses::ForSearch (m_lookupWord));
        break;
    case searchAllId:
        OpenAddress (LookupAddresses::ForAllWordsSearch (m_searchText));
        break;
    case showWebBrowserId:
        OpenAddress (LookupAddresses::ForProductHome());
        break;
    case openFileId:
        MarkDocumentChanged();
        DoLoadTextFromFile();
        break;
    case saveFileId:
        DoSaveTextToFile();
        break;
    default:
        // Every standard editing item counts as a change, Copy and Select All included.
        MarkDocumentChanged();
        juce::TextEditor::performPopupMenuAction (menuItemID);
        break;
    }
}

void searchableTextEditor::textEditorTextChanged (juce::TextEditor&) {}
void searchableTextEditor::textEditorReturnKeyPressed (juce::TextEditor&) {}
void searchableTextEditor::textEditorEscapeKeyPressed (juce::TextEditor&) {}
void searchableTextEditor::textEditorFocusLost (juce::TextEditor&) {}

bool searchableTextEditor::DoSaveTextToFile()
{
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
    juce::File target;

    for (;;)
    {
        const auto chosen = ModalDialogs::get().browseForFileToSave ("Please decide where to save your idea text...",
                                                                     documents, "*.txt", false);
        if (chosen == juce::File())
            return false;

        target = chosen.getFileExtension().isEmpty() ? juce::File (chosen.getFullPathName() + ".txt") : chosen;

        if (!target.exists())
            break;

        if (ModalDialogs::get().showOkCancelBox (juce::MessageBoxIconType::WarningIcon, "File already exists",
                                                 "The file already exists ... are you sure you want to overwrite it?",
                                                 "overwrite", "cancel"))
            break;
    }

    // The old file is replaced only once the new text is completely on disk,
    // so a failed write keeps it.
    std::unique_ptr<MySafeFileOutputStream> stream (MyOpenFileForWriting (target.getFullPathName()));
    const auto text = getText();

    const bool written =
        stream != nullptr && stream->write (text.toRawUTF8(), text.getNumBytesAsUTF8()) && stream->Commit();

    if (!written)
    {
        ModalDialogs::get().showMessageBox (juce::MessageBoxIconType::WarningIcon, "Idea text save failed!",
                                            "The file could not be written - is it write protected?");
        return false;
    }

    return true;
}

void searchableTextEditor::DoLoadTextFromFile()
{
    const auto chosen = ModalDialogs::get().browseForFileToOpen (
        "Please choose a file to load as an idea...",
        juce::File::getSpecialLocation (juce::File::userDocumentsDirectory), "*.txt");

    if (chosen != juce::File())
        setText (chosen.loadFileAsString(), true);
}

void searchableTextEditor::MarkDocumentChanged()
{
    if (mp_quilletComponent != nullptr)
        mp_quilletComponent->MarkDocumentChanged();
}

void searchableTextEditor::OpenAddress (const juce::String& address)
{
    if (address.isNotEmpty())
        ModalDialogs::get().openAddress (address);
}
