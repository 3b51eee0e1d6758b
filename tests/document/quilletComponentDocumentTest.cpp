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

/** The main window as far as a workspace sees it, with a fresh folder for the test's files. */
struct StandInWindow : public quilletDocumentHost
{
    StandInWindow()
    {
        folder.createDirectory();
        panel.setSize (900, 600);
        quilletComponent::SetMainWindow (this);
    }

    ~StandInWindow() override
    {
        panel.closeAllDocuments (false);
        quilletComponent::SetMainWindow (nullptr);
        folder.deleteRecursively();
    }

    juce::RecentlyOpenedFilesList& GetRecentFiles() override { return recent; }
    juce::MultiDocumentPanel* GetDocumentPanel() override { return &panel; }

    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }

    /** A workspace as the window's open path makes one; owned by the panel when the open succeeded. */
    quilletComponent* open (const juce::File& f)
    {
        auto ws = std::make_unique<quilletComponent>();
        return ws->DoFileOpenPath (f) ? ws.release() : nullptr;
    }

    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quillet-document-" + juce::Uuid().toString());
    juce::RecentlyOpenedFilesList recent;
    TestPanel panel;
    ScriptedDialogs dialogs;
};

void pump()
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (30);
}

juce::String utf8 (const char* text)
{
    return juce::String::fromUTF8 (text);
}

juce::StringArray ruleEntries (quilletComponent& ws)
{
    juce::StringArray entries;
    for (int i = 0; i < ws.ruleComboBox->getNumItems(); ++i)
        entries.add (ws.ruleComboBox->getItemText (i));
    return entries;
}

/** A new document as the New command makes it: a path in the dialog folder, not yet a file of its own. */
std::unique_ptr<quilletComponent> newDocument (StandInWindow& window, const juce::String& ideaText)
{
    auto ws = std::make_unique<quilletComponent>();
    pump();
    ws->SetPathEtc (window.file ("untitled.quillet").getFullPathName(), &window.recent);
    ws->ideaEditor1->setText (ideaText);
    return ws;
}
} // namespace

TEST (DocumentWorkspace, AnEmptyWorkspaceSavesAsTheNineLines)
{
    StandInWindow window;
    auto ws = newDocument (window, {});
    const auto target = window.file ("empty.quillet");

    ASSERT_TRUE (ws->saveDocument (target).wasOk());
    EXPECT_EQ (target.loadFileAsString(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quillet>\n"
                                          "  <text id=\"1\" data=\"\"></text>\n  <text id=\"2\" data=\"\"></text>\n"
                                          "  <text id=\"3\" data=\"\"></text>\n"
                                          "  <rule id=\"0\" data=\"4 4 4 4\"></rule>\n"
                                          "  <rule id=\"1\" data=\"4 5 4 5\"></rule>\n"
                                          "  <editor data=\"\"></editor>\n</quillet>\n");

    // The saved file is now the document's in every respect.
    EXPECT_EQ (ws->m_documentPath, target.getFullPathName());
    EXPECT_EQ (ws->getFile(), target);
    EXPECT_EQ (ws->getDocumentTitle(), "empty");
    EXPECT_EQ (ws->getName(), "empty");
    EXPECT_EQ (window.recent.getFile (0), target);
}

TEST (DocumentWorkspace, EveryItemSurvivesSaveAndReopen)
{
    StandInWindow window;
    auto ws = newDocument (window, utf8 ("He said \"stop\" & left\r\nthe 'room' <now>"));
    ws->ideaEditor3->setText (utf8 ("caf\xc3\xa9 \xe2\x80\x9cna\xc3\xafve\xe2\x80\x9d \xf0\x9f\x8e\xb5"));
    ws->historyListBox->AddString ("one & two,\nthree \"four\".\n");
    ws->historyListBox->AddString ({});
    ws->historyListBox->AddString ("<a> 'b'");
    ws->lyricsEditor->SetWindowTextLyric ("rain falls on me,\nsun shines on you.\n");
    pump();
    const auto shownLyric = ws->lyricsEditor->getText();
    ASSERT_TRUE (shownLyric.contains ("\n")) << "a lyric of two lines";

    const auto target = window.file ("song.quillet");
    ASSERT_TRUE (ws->saveDocument (target).wasOk());

    auto* back = window.open (target);
    ASSERT_NE (back, nullptr);
    pump();

    EXPECT_EQ (back->ideaEditor1->getText(), ws->ideaEditor1->getText());
    EXPECT_EQ (back->ideaEditor2->getText(), "");
    EXPECT_EQ (back->ideaEditor3->getText(), ws->ideaEditor3->getText());
    EXPECT_EQ (back->historyListBox->m_items, ws->historyListBox->m_items);
    EXPECT_EQ (ruleEntries (*back), ruleEntries (*ws)) << "rules already in a new workspace are not added again";
    EXPECT_EQ (back->lyricsEditor->getText(), shownLyric);

    EXPECT_EQ (back->m_documentPath, target.getFullPathName());
    EXPECT_EQ (back->getName(), "song");
    EXPECT_EQ (window.panel.getNumDocuments(), 1);
    EXPECT_EQ (window.recent.getFile (0), target);
}

TEST (DocumentWorkspace, ElementOrderAndDuplicateRulesDoNotChangeTheWorkspace)
{
    StandInWindow window;
    const char* const elements[] = {
        "  <text id=\"1\" data=\"idea one\"></text>\n",    "  <text id=\"2\" data=\"idea two\"></text>\n",
        "  <history id=\"0\" data=\"first\"></history>\n", "  <history id=\"1\" data=\"second\"></history>\n",
        "  <rule id=\"0\" data=\"4 4 4 4\"></rule>\n",     "  <rule id=\"1\" data=\"6 6\"></rule>\n",
        "  <rule id=\"2\" data=\"4 4 4 4\"></rule>\n"};

    juce::String inOrder, reversed;
    for (auto* e : elements)
        inOrder << e;
    for (int i = (int)std::size (elements); --i >= 0;)
        reversed << elements[i];

    window.file ("a.quillet").replaceWithText ("<quillet>\n" + inOrder + "</quillet>\n");
    window.file ("b.quillet").replaceWithText ("<quillet>\n" + reversed + "</quillet>\n");
    auto* a = window.open (window.file ("a.quillet"));
    auto* b = window.open (window.file ("b.quillet"));
    ASSERT_TRUE (a != nullptr && b != nullptr);

    EXPECT_EQ (a->ideaEditor1->getText(), "idea one");
    EXPECT_EQ (b->ideaEditor1->getText(), "idea one");
    EXPECT_EQ (b->ideaEditor2->getText(), "idea two");
    EXPECT_EQ (a->historyListBox->m_items, juce::StringArray ("first", "second"));
    EXPECT_EQ (b->historyListBox->m_items, juce::StringArray ("second", "first")) << "file order within a kind";

    const juce::StringArray rules ("4 4 4 4", "4 5 4 5", "6 6");
    EXPECT_EQ (ruleEntries (*a), rules);
    EXPECT_EQ (ruleEntries (*b), rules);
}

TEST (DocumentWorkspace, OnlyTheExactExtensionOpensADocument)
{
    StandInWindow window;
    const juce::String document = "<quillet>\n  <text id=\"2\" data=\"second box\"></text>\n</quillet>\n";
    window.file ("song.QUILLET").replaceWithText (document);

    auto* imported = window.open (window.file ("song.QUILLET"));
    ASSERT_NE (imported, nullptr);
    EXPECT_EQ (imported->ideaEditor2->getText(), "") << "read as plain text, not as a document";
    EXPECT_TRUE (imported->ideaEditor1->getText().contains ("second box"));
    EXPECT_EQ (imported->m_documentPath, window.file ("song.quillet").getFullPathName());

    EXPECT_EQ (window.open (window.file ("missing.quillet")), nullptr);
    EXPECT_EQ (window.open (window.file ("missing.txt")), nullptr);
    EXPECT_EQ (window.panel.getNumDocuments(), 1);
    EXPECT_EQ (window.recent.getNumFiles(), 0) << "neither an import nor a failed open is a recent document";
}

TEST (DocumentWorkspace, FilesOfTwoGigabytesAreNotOpened)
{
    StandInWindow window;

    // Sparse files: their size costs no disk space.
    for (auto name : {"huge.quillet", "huge.txt"})
    {
        juce::FileOutputStream out (window.file (name));
        ASSERT_TRUE (out.openedOk());
        out.setPosition ((juce::int64)std::numeric_limits<int>::max() + 1);
        out.writeByte ('x');
    }

    EXPECT_EQ (window.open (window.file ("huge.quillet")), nullptr);
    EXPECT_EQ (window.open (window.file ("huge.txt")), nullptr);
    EXPECT_EQ (window.panel.getNumDocuments(), 0);
}

TEST (DocumentWorkspace, ATextFileOfThreeParagraphsIsImported)
{
    StandInWindow window;
    window.file ("notes.txt")
        .replaceWithText ("\r\nWalking in the rain, tonight.\r\nNo one else around\r\n\r\n"
                          "Second thought here\r\n\r\n\r\nthird: and/or last\r\n");
    juce::SystemClipboard::copyTextToClipboard ("before");

    auto* ws = window.open (window.file ("notes.txt"));
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

    window.file ("blank.txt").replaceWithText ("\n  \n\n");
    auto* blank = window.open (window.file ("blank.txt"));
    ASSERT_NE (blank, nullptr);
    EXPECT_EQ (blank->historyListBox->getNumRows(), 0);
    EXPECT_EQ (blank->ideaEditor1->getText(), "");
}

TEST (DocumentWorkspace, AFailedSaveChangesNothing)
{
    StandInWindow window;
    const auto original = window.file ("kept.quillet");
    auto ws = newDocument (window, "first words");
    ASSERT_TRUE (ws->saveDocument (original).wasOk());
    const auto savedBytes = original.loadFileAsString();

    ws->ideaEditor1->setText ("changed words");
    ws->changed();
    const auto recentBefore = window.recent.toString();

    // A folder that does not exist, and a folder standing where the file should go.
    window.file ("a folder.quillet").createDirectory();
    for (auto target : {window.file ("missing/deeper/x.quillet"), window.file ("a folder.quillet")})
    {
        const auto result = ws->saveDocument (target);
        EXPECT_EQ (result.getErrorMessage(), "The file could not be written - is it write protected?");
        EXPECT_EQ (ws->m_documentPath, original.getFullPathName());
        EXPECT_EQ (ws->getFile(), original);
        EXPECT_EQ (ws->m_documentTitle, "kept");
        EXPECT_TRUE (ws->hasChangedSinceSaved());
        EXPECT_EQ (window.recent.toString(), recentBefore);
    }

    EXPECT_TRUE (window.file ("a folder.quillet").isDirectory());
    EXPECT_EQ (original.loadFileAsString(), savedBytes);

    // Through the Save As command the failure is reported.
    window.dialogs.filesToSave.push_back (window.file ("missing/y.quillet"));
    EXPECT_FALSE (ws->SaveAsForSaveAsCommand());
    ASSERT_EQ (window.dialogs.count ("message"), 1);
    EXPECT_EQ (window.dialogs.shown.back().title, "Error writing to file...");
    EXPECT_TRUE (ws->hasChangedSinceSaved());
}

TEST (DocumentWorkspace, ASecondNewDocumentAsksBeforeReplacingTheFirst)
{
    StandInWindow window;
    const auto untitled = window.file ("untitled.quillet");

    auto first = newDocument (window, "first document");
    EXPECT_TRUE (first->SaveForSaveCommand());
    EXPECT_TRUE (window.dialogs.shown.empty()) << "nothing was there yet";
    const auto firstBytes = untitled.loadFileAsString();
    EXPECT_TRUE (firstBytes.contains ("first document"));

    // Cancelling the question keeps both the file and the document as they were.
    auto second = newDocument (window, "second document");
    second->changed();
    EXPECT_FALSE (second->SaveForSaveCommand());
    ASSERT_EQ (window.dialogs.count ("save"), 1);
    EXPECT_EQ (window.dialogs.shown.back().title, "Choose a quillet file to save as...");
    EXPECT_EQ (untitled.loadFileAsString(), firstBytes);
    EXPECT_EQ (second->m_documentPath, untitled.getFullPathName());
    EXPECT_TRUE (second->hasChangedSinceSaved());

    // The framework's own save (as on closing) asks the same way; the name chosen gets the extension.
    window.dialogs.filesToSave.push_back (window.file ("second"));
    EXPECT_EQ (second->save (false, false), juce::FileBasedDocument::savedOk);
    EXPECT_EQ (window.dialogs.count ("save"), 2);
    EXPECT_EQ (untitled.loadFileAsString(), firstBytes);
    EXPECT_TRUE (window.file ("second.quillet").loadFileAsString().contains ("second document"));
    EXPECT_EQ (second->getFile(), window.file ("second.quillet"));

    // From now on the document saves to its own file without asking.
    second->ideaEditor1->setText ("second, edited");
    EXPECT_TRUE (second->SaveForSaveCommand());
    EXPECT_EQ (window.dialogs.count ("save"), 2);
    EXPECT_TRUE (window.file ("second.quillet").loadFileAsString().contains ("second, edited"));
    EXPECT_FALSE (second->hasChangedSinceSaved());

    // And the first one, saved to its file already, also writes there directly.
    EXPECT_TRUE (first->SaveForSaveCommand());
    EXPECT_EQ (window.dialogs.count ("save"), 2);
}

TEST (DocumentWorkspace, AnImportBesideAnExistingDocumentAsksBeforeReplacingIt)
{
    StandInWindow window;
    window.file ("notes.txt").replaceWithText ("imported words\n");
    window.file ("notes.quillet").replaceWithText ("<quillet>\n</quillet>\n");
    window.file ("fresh.txt").replaceWithText ("fresh words\n");

    auto* imported = window.open (window.file ("notes.txt"));
    auto* fresh = window.open (window.file ("fresh.txt"));
    ASSERT_TRUE (imported != nullptr && fresh != nullptr);

    // Nothing is beside fresh.txt: the first Save writes there.
    EXPECT_TRUE (fresh->SaveForSaveCommand());
    EXPECT_TRUE (window.file ("fresh.quillet").loadFileAsString().contains ("fresh words"));
    EXPECT_TRUE (window.dialogs.shown.empty());

    // notes.quillet is somebody else's: the user is asked, and may choose that very file after all.
    window.dialogs.filesToSave.push_back (window.file ("notes.quillet"));
    EXPECT_TRUE (imported->SaveForSaveCommand());
    EXPECT_EQ (window.dialogs.count ("save"), 1);
    EXPECT_TRUE (window.file ("notes.quillet").loadFileAsString().contains ("imported words"));
    EXPECT_TRUE (imported->m_documentFileIsOwn);
}

TEST (DocumentWorkspace, TheLastDocumentOpenedIsTheOldestRecentFileThatStillExists)
{
    StandInWindow window;
    quilletComponent ws;
    EXPECT_EQ (ws.getLastDocumentOpened(), juce::File());

    window.file ("old.quillet").create();
    window.file ("new.quillet").create();
    window.recent.addFile (window.file ("old.quillet"));
    window.recent.addFile (window.file ("gone.quillet"));
    ws.setLastDocumentOpened (window.file ("new.quillet"));

    EXPECT_EQ (ws.getLastDocumentOpened(), window.file ("old.quillet"));
    EXPECT_EQ (window.recent.getNumFiles(), 2);
    EXPECT_EQ (window.recent.getFile (0), window.file ("new.quillet"));
}
