// What the workspace's buttons and rule box do, and the rule helpers that the
// editors and the document reader call back.
#include "quilletComponent.h"

#include "ModalDialogs.h"
#include "SimpleTextListBox.h"
#include "WordMap.h"
#include "lyricTextEditor.h"
#include "searchableTextEditor.h"

#include <cstdlib>
#include <memory>

namespace
{
// The word map's capacity: a rule has 1 to maxRuleLines numbers, each 1 to maxWordsInLine.
constexpr int maxRuleLines = 50;
constexpr int maxWordsInLine = 20;

const juce::String fallbackRule ("4 4 4 4");

/** The value that a token's leading decimal digits make (0 when it starts with
    a letter), capped just above the largest allowed count so that long digit
    runs cannot overflow. */
int leadingNumberOfToken (const juce::String& token)
{
    int value = 0;

    for (auto p = token.getCharPointer(); !p.isEmpty(); ++p)
    {
        const auto c = *p;

        if (c < '0' || c > '9')
            break;

        value = juce::jmin (value * 10 + (int)(c - '0'), maxWordsInLine + 1);
    }

    return value;
}

/** A rule piece's number as the standard atoi reads it (leading white space,
    an optional sign, then digits), without atoi's overflow on long digit runs. */
int leadingNumberOfPiece (const juce::String& piece)
{
    auto p = piece.getCharPointer();

    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;

    bool negative = false;

    if (*p == '-' || *p == '+')
    {
        negative = *p == '-';
        ++p;
    }

    const int value = leadingNumberOfToken (juce::String (p));
    return negative ? -value : value;
}

/** Counts the rule's numbers (runs of letters and digits); -1 when one of them is outside 1 to 20. */
int countValidRuleNumbers (const juce::String& rule)
{
    int count = 0;
    juce::String token;

    auto endToken = [&]
    {
        if (token.isEmpty())
            return true;

        const int value = leadingNumberOfToken (token);
        token.clear();

        if (value < 1 || value > maxWordsInLine)
            return false;

        ++count;
        return true;
    };

    for (auto p = rule.getCharPointer(); !p.isEmpty(); ++p)
    {
        const auto c = *p;

        if (juce::CharacterFunctions::isLetterOrDigit (c))
            token += juce::String::charToString (c);
        else if (!endToken())
            return -1;
    }

    return endToken() ? count : -1;
}

int greatestItemId (const juce::ComboBox& box)
{
    int greatest = 0;

    for (int i = 0; i < box.getNumItems(); ++i)
        greatest = juce::jmax (greatest, box.getItemId (i));

    return greatest;
}
} // namespace

//==============================================================================
void ComboBox_AddStringIfNotAlreadyThere (juce::ComboBox* box, juce::String text)
{
    int greatestId = 0;
    bool found = false;

    // No early exit: with two equal entries the later one ends selected.
    for (int i = 0; i < box->getNumItems(); ++i)
    {
        greatestId = juce::jmax (greatestId, box->getItemId (i));

        if (box->getItemText (i) == text)
        {
            box->setSelectedItemIndex (i, juce::sendNotification);
            found = true;
        }
    }

    if (found)
        return;

    box->addItem (text, greatestId + 1);
    box->setSelectedId (greatestId + 1, juce::sendNotification);
}

void ConvertWindowsAscii (juce::String& text)
{
    text = text.replaceCharacter ((juce::juce_wchar)0x2013, '-')
               .replaceCharacter ((juce::juce_wchar)0x2014, '-')
               .replaceCharacter ((juce::juce_wchar)0x2018, '\'')
               .replaceCharacter ((juce::juce_wchar)0x2019, '\'')
               .replaceCharacter ((juce::juce_wchar)0x201c, '"')
               .replaceCharacter ((juce::juce_wchar)0x201d, '"')
               .replace (juce::String::charToString ((juce::juce_wchar)0x2026), "...");
}

void MyListBoxItemEvent (void*, juce::ListBox*, int, const juce::MouseEvent&) {}

//==============================================================================
void quilletComponent::MarkDocumentChanged()
{
    changed();
}

void quilletComponent::buttonClicked (juce::Button* button)
{
    if (button == createLyricsButton.get())
    {
        runCreateLyrics();
    }
    else if (button == replaceButton.get())
    {
        changed();
        CopyTextToClipboard (true, true);
    }
    else if (button == deleteButton.get())
    {
        changed();
        const int row = historyListBox->getSelectedRow (0);

        if (row >= 0)
            historyListBox->DeleteString (row);
    }
    else if (button == deleteAllButton.get())
    {
        changed();
        historyListBox->ResetContent();
    }
    else if (button == moveUpButton.get())
    {
        moveSelectedHistoryEntry (-1);
    }
    else if (button == moveDownButton.get())
    {
        moveSelectedHistoryEntry (1);
    }
    else if (button == deleteRuleButton.get())
    {
        deleteCurrentRule();
    }
    else if (button == addButton.get())
    {
        changed();
        CopyTextToClipboard (true, false);
    }
    else if (button == editButton.get())
    {
        editSelectedHistoryEntry();
    }
}

void quilletComponent::runCreateLyrics()
{
    changed();

    // Copies: the idea boxes keep the user's typographic characters.
    juce::String idea1 = ideaEditor1->getText();
    juce::String idea2 = ideaEditor2->getText();
    juce::String idea3 = ideaEditor3->getText();
    ConvertWindowsAscii (idea1);
    ConvertWindowsAscii (idea2);
    ConvertWindowsAscii (idea3);

    if (idea1.isEmpty() && idea2.isEmpty() && idea3.isEmpty())
    {
        ModalDialogs::get().showMessageBox (
            juce::MessageBoxIconType::InfoIcon, "You must first enter some ideas!",
            "Before you can generate some Lyrics, you must first put some words in at least one of your Ideas boxes. "
            "You can do this by simply typing-in some words into an Idea box, or maybe pasting-in some words from "
            "some of your favourite text.");
        return;
    }

    char* lyric = m_quillet.GenerateLyrics (idea1, idea2, idea3);

    // Null means no usable word at all; the press then has no visible effect.
    if (lyric == nullptr)
        return;

    lyricsEditor->SetTextFromWordMap();
    CopyTextToClipboard (false, false);
    std::free (lyric);
}

void quilletComponent::moveSelectedHistoryEntry (int step)
{
    changed();

    const int count = historyListBox->getNumRows();

    if (count < 2)
        return;

    const int row = historyListBox->getSelectedRow (0);
    const int target = row + step;

    if (row < 0 || target < 0 || target >= count)
        return;

    const juce::String text = historyListBox->GetString (row);
    historyListBox->DeleteString (row);
    historyListBox->InsertString (target, text);
    historyListBox->selectRow (target, false, true);
}

void quilletComponent::deleteCurrentRule()
{
    changed();

    auto& box = *ruleComboBox;
    const int count = box.getNumItems();

    // The last remaining rule stays.
    if (count < 2)
        return;

    // -1 also when the typed text differs from the selected entry: nothing is removed then.
    const int selected = box.getSelectedItemIndex();

    juce::StringArray kept;
    int greatestId = 1;

    for (int i = 0; i < count; ++i)
    {
        if (i == selected)
            continue;

        kept.add (box.getItemText (i));
        greatestId = juce::jmax (greatestId, box.getItemId (i));
    }

    box.clear (juce::dontSendNotification);

    for (int i = 0; i < kept.size(); ++i)
        box.addItem (kept[i], greatestId + 1 + i);

    box.setSelectedItemIndex (juce::jmin (selected, count - 2), juce::sendNotification);
}

void quilletComponent::editSelectedHistoryEntry()
{
    changed();

    if (lyricsEditor->getText().isNotEmpty() &&
        !ModalDialogs::get().showOkCancelBox (
            juce::MessageBoxIconType::WarningIcon, "This will overwrite your Lyric text",
            "Do you want to copy the current Section list item text into the Lyric text box?", "copy", "cancel"))
        return;

    CopyCurrentHistoryItemIntoWindow();
}

void quilletComponent::CopyCurrentHistoryItemIntoWindow()
{
    m_quillet.m_wordMap.SetAllWordLocksToThisValue (0);

    const int row = historyListBox->getSelectedRow (0);

    if (row >= 0)
    {
        const juce::String text = historyListBox->GetString (row);
        SetRuleGivenThisText (text);
        lyricsEditor->SetWindowTextLyric (text);
    }
    else
    {
        lyricsEditor->SetWindowTextLyric (juce::String());
    }

    CopyTextToClipboard (false, false);
}

//==============================================================================
void quilletComponent::comboBoxChanged (juce::ComboBox* box)
{
    if (box != ruleComboBox.get())
        return;

    // The changes below must not call this again while it runs.
    box->removeListener (this);

    juce::String rule = box->getText().trim();
    const int count = countValidRuleNumbers (rule);

    if (count < 1 || count > maxRuleLines)
    {
        // An invalid rule is not reported: the default shape takes its place.
        box->setText (fallbackRule, juce::dontSendNotification);
        rule = fallbackRule;
    }
    else
    {
        bool present = false;

        for (int i = 0; i < box->getNumItems() && !present; ++i)
            present = box->getItemText (i) == rule;

        if (!present)
        {
            const int newId = juce::jmax (greatestItemId (*box), 1) + 1;
            box->addItem (rule, newId);
            box->setSelectedId (newId, juce::sendNotification);
        }
    }

    OnRuleComboBoxChanged (rule);

    box->addListener (this);
}

void quilletComponent::OnRuleComboBoxChanged (const juce::String& rule)
{
    juce::StringArray pieces;
    pieces.addTokens (rule, " ", juce::String());

    // Runs of spaces make empty pieces, which count as lines; the word map has
    // no more than 50. Such a rule is then read as its numbers alone, the way
    // the rule box counts them, and never beyond 50 lines.
    if (pieces.size() > maxRuleLines)
    {
        pieces.removeEmptyStrings();
        pieces.removeRange (maxRuleLines, pieces.size());
    }

    auto& wordMap = m_quillet.m_wordMap;

    for (int i = 0; i < pieces.size(); ++i)
    {
        const int words = leadingNumberOfPiece (pieces[i]);

        if (words > 0)
            wordMap.SetWordCountInLine (i, juce::jmin (words, maxWordsInLine));
    }

    if (pieces.size() < 2)
        return;

    wordMap.SetLineCount (pieces.size());
    lyricsEditor->SetTextFromWordMap();
}

void quilletComponent::SetRuleGivenThisText (const juce::String& lyricText)
{
    // A word map is large; keep it off the stack.
    auto shape = std::make_unique<WordMap>();
    shape->SetFromString (lyricText);

    juce::String rule;

    for (int line = 0; line < shape->m_lineCount; ++line)
    {
        const int words = shape->GetWordCountInLine (line);

        if (words > 0)
            rule << " " << words;
    }

    rule = rule.trimStart();

    if (rule.isEmpty())
        return;

    ComboBox_AddStringIfNotAlreadyThere (ruleComboBox.get(), rule);
    OnRuleComboBoxChanged (rule);
}
