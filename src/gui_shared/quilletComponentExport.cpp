// Taking text out of the workspace: the lyric onto the clipboard (and into the
// history), and the whole history into a plain text file.
#include "quilletComponent.h"

#include "ModalDialogs.h"
#include "SimpleTextListBox.h"
#include "bw_clipboard.h"
#include "lyricTextEditor.h"
#include "my_bw_file.h"

#include <memory>
#include <string>

void quilletComponent::CopyTextToClipboard (bool addToHistory, bool replaceSelected)
{
    const juce::String lyric = lyricsEditor->getText();

    // The clipboard keeps its content when there is no lyric; its result code
    // does not matter here (an unavailable clipboard still lets the history change).
    if (lyric.isNotEmpty())
    {
        const std::string utf8 (lyric.toRawUTF8());
        bw_clipboard_copytexttoclipboard (utf8.c_str());
    }

    if (!addToHistory || lyric.isEmpty())
        return;

    const int row = historyListBox->getSelectedRow (0);

    if (row >= 0 && replaceSelected)
    {
        historyListBox->SetStringAt (row, lyric);
        historyListBox->selectRow (row, false, true);
        return;
    }

    historyListBox->AddString (lyric);
    historyListBox->updateContent();
    historyListBox->selectRow (historyListBox->getNumRows() - 1, false, true);
}

void quilletComponent::DoExport()
{
    auto& dialogs = ModalDialogs::get();
    juce::String path;

    for (;;)
    {
        const juce::File chosen = dialogs.browseForFileToSave (
            "Please decide where to export your lyric history as a text document...",
            juce::File::getSpecialLocation (juce::File::userDocumentsDirectory), "*.txt", false);

        if (chosen == juce::File())
            return;

        path = chosen.getFullPathName();

        if (chosen.getFileExtension().isEmpty())
            path << ".txt";

        if (!juce::File (path).exists())
            break;

        if (dialogs.showOkCancelBox (juce::MessageBoxIconType::WarningIcon, "File already exists",
                                     "The file already exists ... are you sure you want to overwrite it?", "overwrite",
                                     "cancel"))
            break;
    }

    // The safe writer keeps any old file until the new one is complete.
    std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (path));

    if (out == nullptr)
    {
        dialogs.showMessageBox (juce::MessageBoxIconType::WarningIcon, "Could not export!", "Failed to open file");
        return;
    }

    // Entries end with CR LF and are separated by one empty line; their own
    // line breaks are written as they are.
    std::string text;

    for (int i = 0; i < historyListBox->getNumRows(); ++i)
    {
        if (i > 0)
            text += "\r\n";

        if (auto* entry = historyListBox->GetText (i))
            text += entry;

        text += "\r\n";
    }

    const bool written = out->write (text.data(), text.size());

    if (!(written && out->Commit()))
    {
        dialogs.showMessageBox (juce::MessageBoxIconType::WarningIcon, "Could not export!", "Failed to write file");
        return;
    }

    dialogs.showMessageBox (juce::MessageBoxIconType::InfoIcon, "Exported!", "Lyric history exported OK!");
}
