// The workspace's document side, offscreen: saving and reopening through real workspaces, opening by extension,
// text import, failed saves, and Save never replacing a file the document did not come from without asking.
#include "quilletComponent.h"

#include "ScriptedDialogs.h"
#include "SimpleTextListBox.h"
#include "lyricTextEditor.h"
#include "quilletDocumentHost.h"
#include "searchableTextEditor.h"

#include <gtest/gtest.h>

namespace
{
class TestPanel : public juce::MultiDocumentPanel
{
public:
    void tryToCloseDocumentAsync (juce::Component*, std::function<void (bool)> callback) override { callback (true); }
};

void pump()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
}

std::string bytesOf (const juce::File& file)
{
    juce::MemoryBlock block;
    file.loadFileAsData (block);
    return {static_cast<const char*> (block.getData()), block.getSize()};
}

juce::StringArray ruleEntries (quilletComponent& ws)
{
    juce::StringArray entries;
    for (int i = 0; i < ws.ruleComboBox->getNumItems(); ++i)
        entries.add (ws.ruleComboBox->getItemText (i));
    return entries;
}
} // namespace

/** Each test is the main window as far as a workspace sees it, with a fresh folder for its files. */
class DocumentWorkspace : public ::testing::Test, public quilletDocumentHost
{
public:
    DocumentWorkspace()
    {
        folder.createDirectory();
        panel.setSize (900, 600);
        quilletComponent::SetMainWindow (this);
    }

    ~DocumentWorkspace() override
    {
        panel.closeAllDocuments (false);
        quilletComponent::SetMainWindow (nullptr);
        folder.deleteRecursively();
    }

    juce::RecentlyOpenedFilesList& GetRecentFiles() override { return recent; }
    juce::MultiDocumentPanel* GetDocumentPanel() override { return &panel; }
    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }

    /** A workspace as the window's open path makes one; owned by the panel when the open succeeded. */
    quilletComponent* open (const juce::String& name)
    {
        auto ws = std::make_unique<quilletComponent>();
        return ws->DoFileOpenPath (file (name)) ? ws.release() : nullptr;
    }

    /** A new document as the New command makes it: a path in the dialog folder, not yet a file of its own. */
    std::unique_ptr<quilletComponent> newDocument (const juce::String& ideaText)
    {
        auto ws = std::make_unique<quilletComponent>();
        pump();
        ws->SetPathEtc (file ("untitled.quillet").getFullPathName(), &recent);
        ws->ideaEditor1->setText (ideaText);
        return ws;
    }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quillet-document-" + juce::Uuid().toString());
    juce::RecentlyOpenedFilesList recent;
    TestPanel panel;
    ScriptedDialogs dialogs;
};

TEST_F (DocumentWorkspace, AnEmptyWorkspaceSavesAsTheNineLinesAndTheFileBecomesItsOwn)
{
    auto ws = newDocument ({});
    ASSERT_TRUE (ws->saveDocument (file ("empty.quillet")).wasOk());
    EXPECT_EQ (bytesOf (file ("empty.quillet")), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quillet>\n"
                                                 "  <text id=\"1\" data=\"\"></text>\n"
                                                 "  <text id=\"2\" data=\"\"></text>\n"
                                                 "  <text id=\"3\" data=\"\"></text>\n"
                                                 "  <rule id=\"0\" data=\"4 4 4 4\"></rule>\n"
                                                 "  <rule id=\"1\" data=\"4 5 4 5\"></rule>\n"
                                                 "  <editor data=\"\"></editor>\n</quillet>\n");
    EXPECT_EQ (ws->getFile(), file ("empty.quillet"));
    EXPECT_EQ (ws->getName(), "empty");
    EXPECT_EQ (recent.getFile (0), file ("empty.quillet"));
}

TEST_F (DocumentWorkspace, EveryItemSurvivesSaveAndReopen)
{
    auto ws = newDocument (juce::String::fromUTF8 ("He said \"stop\" & left\r\nthe 'room' <now>"));
    ws->ideaEditor3->setText (
        juce::String::fromUTF8 ("caf\xc3\xa9 \xe2\x80\x9cna\xc3\xafve\xe2\x80\x9d \xf0\x9f\x8e\xb5"));
    for (auto entry : {"one & two,\nthree \"four\".\n", "", "<a> 'b'"})
        ws->historyListBox->AddString (entry);
    ws->lyricsEditor->SetWindowTextLyric ("rain falls on me,\nsun shines on you.\n");
    pump();
    ASSERT_TRUE (ws->lyricsEditor->getText().contains ("\n")) << "a lyric of two lines";
    ASSERT_TRUE (ws->saveDocument (file ("song.quillet")).wasOk());

    auto* back = open ("song.quillet");
    ASSERT_NE (back, nullptr);
    pump();
    EXPECT_EQ (back->ideaEditor1->getText(), ws->ideaEditor1->getText());
    EXPECT_EQ (back->ideaEditor2->getText(), "");
    EXPECT_EQ (back->ideaEditor3->getText(), ws->ideaEditor3->getText());
    EXPECT_EQ (back->historyListBox->m_items, ws->historyListBox->m_items);
    EXPECT_EQ (ruleEntries (*back), ruleEntries (*ws)) << "rules already in a new workspace are not added again";
    EXPECT_EQ (back->lyricsEditor->getText(), ws->lyricsEditor->getText());
}

TEST_F (DocumentWorkspace, ElementOrderAndDuplicateRulesDoNotChangeTheWorkspace)
{
    juce::StringArray elements{
        "<text id=\"1\" data=\"idea one\"></text>",    "<text id=\"2\" data=\"idea two\"></text>",
        "<history id=\"0\" data=\"first\"></history>", "<history id=\"1\" data=\"second\"></history>",
        "<rule id=\"0\" data=\"4 4 4 4\"></rule>",     "<rule id=\"1\" data=\"6 6\"></rule>",
        "<rule id=\"2\" data=\"4 4 4 4\"></rule>"};
    file ("a.quillet").replaceWithText ("<quillet>\n" + elements.joinIntoString ("\n") + "\n</quillet>\n");
    std::reverse (elements.begin(), elements.end());
    file ("b.quillet").replaceWithText ("<quillet>\n" + elements.joinIntoString ("\n") + "\n</quillet>\n");

    auto *a = open ("a.quillet"), *b = open ("b.quillet");
    ASSERT_TRUE (a != nullptr && b != nullptr);
    for (auto* ws : {a, b})
    {
        EXPECT_EQ (ws->ideaEditor1->getText(), "idea one");
        EXPECT_EQ (ws->ideaEditor2->getText(), "idea two");
        EXPECT_EQ (ruleEntries (*ws), juce::StringArray ("4 4 4 4", "4 5 4 5", "6 6"));
    }
    EXPECT_EQ (a->historyListBox->m_items, juce::StringArray ("first", "second"));
    EXPECT_EQ (b->historyListBox->m_items, juce::StringArray ("second", "first")) << "file order within a kind";
}

TEST_F (DocumentWorkspace, OnlyTheExactExtensionOpensADocumentAndFilesOf2GiBDoNotOpen)
{
    file ("song.QUILLET").replaceWithText ("<quillet>\n  <text id=\"2\" data=\"second box\"></text>\n</quillet>\n");
    auto* imported = open ("song.QUILLET");
    ASSERT_NE (imported, nullptr);
    EXPECT_EQ (imported->ideaEditor2->getText(), "") << "read as plain text, not as a document";
    EXPECT_TRUE (imported->ideaEditor1->getText().contains ("second box"));
    EXPECT_EQ (imported->m_documentPath, file ("song.quillet").getFullPathName());

    for (auto name : {"huge.quillet", "huge.txt"}) // sparse: their size costs no disk space
    {
        juce::FileOutputStream out (file (name));
        ASSERT_TRUE (out.openedOk() && out.setPosition ((juce::int64)std::numeric_limits<int>::max() + 1));
        out.writeByte ('x');
    }
    for (auto name : {"missing.quillet", "missing.txt", "huge.quillet", "huge.txt"})
        EXPECT_EQ (open (name), nullptr) << name;
    EXPECT_EQ (panel.getNumDocuments(), 1);
    EXPECT_EQ (recent.getNumFiles(), 0) << "neither an import nor a failed open is a recent document";
}

TEST_F (DocumentWorkspace, ATextFileOfThreeParagraphsIsImported)
{
    file ("notes.txt")
        .replaceWithText ("\r\nWalking in the rain, tonight.\r\nNo one else around\r\n\r\n"
                          "Second thought here\r\n\r\n\r\nthird: and/or last\r\n");
    juce::SystemClipboard::copyTextToClipboard ("before");
    auto* ws = open ("notes.txt");
    ASSERT_NE (ws, nullptr);
    pump();

    EXPECT_EQ (ws->historyListBox->m_items, juce::StringArray ("Walking in the rain tonight\nNo one else around\n",
                                                               "Second thought here\n", "third andor last\n"));
    EXPECT_EQ (ws->ideaEditor1->getText(),
               "Walking in the rain tonight\nNo one else around\nSecond thought here\nthird andor last\n");
    EXPECT_EQ (ws->historyListBox->getSelectedRow(), 0);
    EXPECT_TRUE (ws->lyricsEditor->getText().startsWith ("Walking in the rain")) << ws->lyricsEditor->getText();
    EXPECT_EQ (juce::SystemClipboard::getTextFromClipboard(), ws->lyricsEditor->getText());
    EXPECT_EQ (ws->getName(), "notes");
    EXPECT_FALSE (ws->m_documentFileIsOwn);

    file ("blank.txt").replaceWithText ("\n  \n\n");
    auto* blank = open ("blank.txt");
    ASSERT_NE (blank, nullptr);
    EXPECT_EQ (blank->historyListBox->getNumRows(), 0);
    EXPECT_EQ (blank->ideaEditor1->getText(), "");
}

TEST_F (DocumentWorkspace, AFailedSaveChangesNothing)
{
    const auto kept = file ("kept.quillet");
    auto ws = newDocument ("first words");
    ASSERT_TRUE (ws->saveDocument (kept).wasOk());
    const auto savedBytes = bytesOf (kept);
    ws->ideaEditor1->setText ("changed words");
    ws->changed();
    const auto recentBefore = recent.toString();

    // A folder that does not exist, and a folder standing where the file should go.
    file ("a folder.quillet").createDirectory();
    for (auto target : {file ("missing/deeper/x.quillet"), file ("a folder.quillet")})
    {
        EXPECT_EQ (ws->saveDocument (target).getErrorMessage(),
                   "The file could not be written - is it write protected?");
        EXPECT_EQ (ws->m_documentPath, kept.getFullPathName());
        EXPECT_EQ (ws->getFile(), kept);
        EXPECT_EQ (ws->m_documentTitle, "kept");
        EXPECT_TRUE (ws->hasChangedSinceSaved());
        EXPECT_EQ (recent.toString(), recentBefore);
    }
    EXPECT_EQ (bytesOf (kept), savedBytes);

    // Through the Save As command the failure is reported.
    dialogs.filesToSave.push_back (file ("missing/y.quillet"));
    EXPECT_FALSE (ws->SaveAsForSaveAsCommand());
    EXPECT_EQ (dialogs.shown.back().title, "Error writing to file...");
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST_F (DocumentWorkspace, SaveAsksBeforeReplacingAFileTheDocumentNeverReadOrWrote)
{
    const auto untitled = file ("untitled.quillet");
    auto first = newDocument ("first document");
    EXPECT_TRUE (first->SaveForSaveCommand());
    EXPECT_TRUE (dialogs.shown.empty()) << "nothing was there yet";
    const auto firstBytes = bytesOf (untitled);

    // A second new document: cancelling the question keeps both the file and the document as they were.
    auto second = newDocument ("second document");
    second->changed();
    EXPECT_FALSE (second->SaveForSaveCommand());
    ASSERT_EQ (dialogs.count ("save"), 1);
    EXPECT_EQ (dialogs.shown.back().title, "Choose a quillet file to save as...");
    EXPECT_EQ (second->m_documentPath, untitled.getFullPathName());
    EXPECT_TRUE (second->hasChangedSinceSaved());

    // The framework's own save (as on closing) asks the same way; the name chosen gets the extension.
    dialogs.filesToSave.push_back (file ("second"));
    EXPECT_EQ (second->save (false, false), juce::FileBasedDocument::savedOk);
    EXPECT_EQ (bytesOf (untitled), firstBytes);
    EXPECT_TRUE (file ("second.quillet").loadFileAsString().contains ("second document"));

    // From then on both save to their own files without asking.
    second->ideaEditor1->setText ("second, edited");
    EXPECT_TRUE (second->SaveForSaveCommand() && first->SaveForSaveCommand());
    EXPECT_TRUE (file ("second.quillet").loadFileAsString().contains ("second, edited"));

    // An import beside an existing document asks too, and may choose that very file after all; with nothing beside
    // it, the first Save writes there.
    file ("notes.txt").replaceWithText ("imported words\n");
    file ("notes.quillet").replaceWithText ("<quillet>\n</quillet>\n");
    file ("fresh.txt").replaceWithText ("fresh words\n");
    auto *imported = open ("notes.txt"), *fresh = open ("fresh.txt");
    ASSERT_TRUE (imported != nullptr && fresh != nullptr);
    EXPECT_TRUE (fresh->SaveForSaveCommand());
    EXPECT_TRUE (file ("fresh.quillet").loadFileAsString().contains ("fresh words"));
    EXPECT_EQ (dialogs.count ("save"), 2);
    dialogs.filesToSave.push_back (file ("notes.quillet"));
    EXPECT_TRUE (imported->SaveForSaveCommand());
    EXPECT_EQ (dialogs.count ("save"), 3);
    EXPECT_TRUE (file ("notes.quillet").loadFileAsString().contains ("imported words"));
}

TEST_F (DocumentWorkspace, TheLastDocumentOpenedIsTheOldestRecentFileThatStillExists)
{
    quilletComponent ws;
    EXPECT_EQ (ws.getLastDocumentOpened(), juce::File());
    file ("old.quillet").create();
    file ("new.quillet").create();
    recent.addFile (file ("old.quillet"));
    recent.addFile (file ("gone.quillet"));
    ws.setLastDocumentOpened (file ("new.quillet"));
    EXPECT_EQ (ws.getLastDocumentOpened(), file ("old.quillet"));
    EXPECT_EQ (recent.getNumFiles(), 2);
    EXPECT_EQ (recent.getFile (0), file ("new.quillet"));
}
