// The workspace's document side: saving to and reading from the ".quillet" file, opening a file by its extension,
// importing a plain text file, and the framework's FileBasedDocument protocol.
#include "quilletComponent.h"

#include "ModalDialogs.h"
#include "MyFileReader.h"
#include "SimpleTextListBox.h"
#include "lyricTextEditor.h"
#include "my_bw_file.h"
#include "quilletDocumentFile.h"
#include "quilletDocumentHost.h"
#include "searchableTextEditor.h"

#include <limits>

namespace
{
const char* const saveFailedMessage = "The file could not be written - is it write protected?";
const char* const saveDialogTitle = "Choose a quillet file to save as...";
const char* const fileWildcard = "*.quillet;*.txt";
const char* const documentExtension = ".quillet";

quilletDocumentFile::Content collectDocumentContent (quilletComponent& workspace)
{
    quilletDocumentFile::Content content;
    content.ideaTexts[0] = workspace.ideaEditor1->getText();
    content.ideaTexts[1] = workspace.ideaEditor2->getText();
    content.ideaTexts[2] = workspace.ideaEditor3->getText();
    content.history = workspace.historyListBox->m_items;

    for (int i = 0; i < workspace.ruleComboBox->getNumItems(); ++i)
        content.rules.add (workspace.ruleComboBox->getItemText (i));

    content.lyricText = workspace.lyricsEditor->getText();
    return content;
}

juce::RecentlyOpenedFilesList* windowRecentFiles()
{
    auto* window = quilletComponent::mp_quillet_Window;
    return window != nullptr ? &window->GetRecentFiles() : nullptr;
}

// Writes the document to `target` and makes that file the document's own: path, framework file, recent-files entry,
// title and component name. On failure nothing about the document changes.
juce::Result writeDocumentAndTakeItsName (quilletComponent& workspace, const juce::File& target)
{
    if (!workspace.private_SaveToPath (target.getFullPathName()))
        return juce::Result::fail (saveFailedMessage);

    workspace.m_documentPath = target.getFullPathName();
    workspace.setFile (target);

    if (workspace.mp_recentFiles != nullptr)
        workspace.mp_recentFiles->addFile (target);

    workspace.m_documentTitle = target.getFileNameWithoutExtension();
    workspace.setName (workspace.m_documentTitle);
    workspace.m_documentFileIsOwn = true;
    return juce::Result::ok();
}

// The Save As question: a file, or a default File when the user cancelled.
juce::File askForFileToSaveAs (const juce::File& suggestion)
{
    auto chosen = ModalDialogs::get().browseForFileToSave (saveDialogTitle, suggestion, fileWildcard, true);

    if (chosen == juce::File() || chosen.getFileExtension().isNotEmpty())
        return chosen;

    // The chooser asked about the name as typed; with the extension added it may name an existing file.
    chosen = chosen.withFileExtension (documentExtension);

    if (chosen.exists() &&
        !ModalDialogs::get().showOkCancelBox (juce::MessageBoxIconType::WarningIcon, "File already exists",
                                              "There's already a file called: " + chosen.getFullPathName() +
                                                  "\n\nAre you sure you want to overwrite it?",
                                              "Overwrite", "Cancel"))
        return {};

    return chosen;
}

// Saves for the Save and Save As commands, which show a failure themselves (through ModalDialogs, unlike the
// framework's own save) and mark the document saved on success.
bool saveReportingFailure (quilletComponent& workspace, const juce::File& target)
{
    const auto result = writeDocumentAndTakeItsName (workspace, target);

    if (result.failed())
    {
        ModalDialogs::get().showMessageBox (juce::MessageBoxIconType::WarningIcon, "Error writing to file...",
                                            "An error occurred while trying to save \"" + workspace.getDocumentTitle() +
                                                "\" to the file: \n" + target.getFullPathName() + "\n\n" +
                                                result.getErrorMessage());
        return false;
    }

    workspace.setChangedFlag (false);
    return true;
}

// A path that may not be absolute (a path read back from a file reader, say) must not trip File's assertion.
juce::File fileForPath (const juce::String& path)
{
    return juce::File::createFileWithoutCheckingPath (path);
}
} // namespace

//==============================================================================
juce::String quilletComponent::getDocumentTitle()
{
    return m_documentTitle;
}

juce::Result quilletComponent::loadDocument (const juce::File&)
{
    // Documents are opened through DoFileOpenPath on a fresh workspace.
    return juce::Result::ok();
}

juce::Result quilletComponent::saveDocument (const juce::File& file)
{
    if (!SaveWouldReplaceAnotherFile (file))
        return writeDocumentAndTakeItsName (*this, file);

    // Reached from the framework's own save (closing a changed document, say) with a path that names somebody
    // else's file: the user picks the file, as the Save command would have let them.
    const auto chosen = askForFileToSaveAs (getSuggestedSaveAsFile (file));

    if (chosen == juce::File())
        return juce::Result::fail ("The document was not saved, so the file that was already there is kept.");

    return writeDocumentAndTakeItsName (*this, chosen);
}

juce::File quilletComponent::getLastDocumentOpened()
{
    auto* recent = windowRecentFiles();

    if (recent == nullptr)
        return {};

    recent->removeNonExistentFiles();

    // The list keeps the newest first, so this is the oldest file still there.
    return recent->getNumFiles() > 0 ? recent->getFile (recent->getNumFiles() - 1) : juce::File();
}

void quilletComponent::setLastDocumentOpened (const juce::File& file)
{
    if (auto* recent = windowRecentFiles())
        recent->addFile (file);
}

//==============================================================================
bool quilletComponent::private_SaveToPath (const juce::String& fullPath)
{
    // The safe writer replaces the old file only once everything was written, so a failure anywhere keeps it.
    std::unique_ptr<MySafeFileOutputStream> stream (MyOpenFileForWriting (fullPath));

    if (stream == nullptr)
        return false;

    const std::string bytes = quilletDocumentFile::Write (collectDocumentContent (*this));
    return stream->write (bytes.data(), bytes.size()) && stream->Commit();
}

bool quilletComponent::SaveWouldReplaceAnotherFile (const juce::File& file) const
{
    return !m_documentFileIsOwn && file.getFullPathName() == m_documentPath && file.exists();
}

bool quilletComponent::SaveForSaveCommand()
{
    const auto file = getFile();

    if (file == juce::File() || SaveWouldReplaceAnotherFile (file))
        return SaveAsForSaveAsCommand();

    return saveReportingFailure (*this, file);
}

bool quilletComponent::SaveAsForSaveAsCommand()
{
    const auto chosen =
        askForFileToSaveAs (getFile() == juce::File() ? juce::File() : getSuggestedSaveAsFile (getFile()));
    return chosen != juce::File() && saveReportingFailure (*this, chosen);
}

//==============================================================================
void quilletComponent::SetPathEtc (juce::String path, juce::RecentlyOpenedFilesList* list)
{
    m_documentPath = path;
    setFile (fileForPath (path));
    m_documentTitle = fileForPath (path).getFileNameWithoutExtension();
    mp_recentFiles = list;

    // A new path is one this document has not read or written yet; the callers that did say so afterwards.
    m_documentFileIsOwn = false;
}

bool quilletComponent::ReadXmlFile (MyFileReader* reader)
{
    if (reader == nullptr)
        return false;

    quilletDocumentFile::Content content;
    quilletDocumentFile::Read (reader->m_data, reader->m_size, content);

    searchableTextEditor* ideaEditors[] = {ideaEditor1.get(), ideaEditor2.get(), ideaEditor3.get()};

    for (int i = 0; i < 3; ++i)
        if (content.ideaTextFound[i])
            ideaEditors[i]->setText (content.ideaTexts[i], true);

    for (auto& entry : content.history)
        historyListBox->AddString (entry);

    // A combo box cannot hold an empty entry, so an empty rule in the file is passed over.
    for (auto& rule : content.rules)
        if (rule.isNotEmpty())
            ComboBox_AddStringIfNotAlreadyThere (ruleComboBox.get(), rule);

    if (content.lyricFound)
    {
        SetRuleGivenThisText (content.lyricText);
        lyricsEditor->SetWindowTextLyric (content.lyricText);
        m_quillet.SetString (content.lyricText);
    }

    m_documentTitle = fileForPath (juce::String::fromUTF8 (reader->m_path)).getFileNameWithoutExtension();
    setName (m_documentTitle);
    return true;
}

bool quilletComponent::ReadTextFile (juce::File file)
{
    juce::MemoryBlock bytes;

    // A text of 2 GiB or more cannot be held by the editors (nor does the document reader take such a file).
    if (!file.existsAsFile() || file.getSize() >= std::numeric_limits<int>::max() || !file.loadFileAsData (bytes))
        return false;

    const auto imported = quilletDocumentFile::SplitImportedText (
        quilletDocumentFile::StringFromTextFileBytes (bytes.getData(), bytes.getSize()));

    for (auto& paragraph : imported.paragraphs)
        historyListBox->AddString (paragraph);

    ideaEditor1->setText (imported.allLines, true);

    historyListBox->selectRow (0, false, true);
    CopyCurrentHistoryItemIntoWindow();
    return true;
}

bool quilletComponent::DoFileOpenPath (juce::File file)
{
    auto* recent = windowRecentFiles();

    // Only this exact extension is a document; anything else, ".QUILLET" too, is imported as text.
    if (file.getFileExtension() == documentExtension)
    {
        MyFileReader reader;

        if (!reader.OpenFromPath (file.getFullPathName()) || !ReadXmlFile (&reader))
            return false;

        if (recent != nullptr)
            recent->addFile (file);

        SetPathEtc (file.getFullPathName(), recent);
        m_documentFileIsOwn = true;
    }
    else
    {
        if (!ReadTextFile (file))
            return false;

        // Save goes beside the text file; SaveForSaveCommand asks first if a document of that name is there.
        SetPathEtc (file.getParentDirectory().getFullPathName() + juce::File::getSeparatorString() +
                        file.getFileNameWithoutExtension() + documentExtension,
                    recent);
    }

    setName (m_documentTitle);

    auto* window = mp_quillet_Window;
    auto* panel = window != nullptr ? window->GetDocumentPanel() : nullptr;

    // The panel owns the workspace from here on; without one the caller keeps (and deletes) it.
    return panel != nullptr && panel->addDocument (this, juce::Colour (0xfffcefef), true);
}
