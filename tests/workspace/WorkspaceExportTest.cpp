// History export: the exact bytes, the file name rule, the overwrite question,
// and failures that must never be reported as success or cost the old file.
#include "WorkspaceTestSupport.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace workspace_test;

namespace
{
const juce::String chooser = "save: Please decide where to export your lyric history as a text document...";
const juce::String asked = " / okcancel: File already exists";
const juce::String exported = " / message: Exported! / Lyric history exported OK!";

struct WorkspaceExport : public WorkspaceFixture
{
    /** Exports with these answers from the chooser and to the overwrite question; returns every box shown as
        "kind: title", then the last box's message, joined by " / ". */
    juce::String exportTo (std::deque<juce::File> files, std::deque<bool> answers = {})
    {
        dialogs.shown.clear();
        dialogs.filesToSave = std::move (files);
        dialogs.okCancelAnswers = std::move (answers);
        ws->DoExport();
        return shown() + " / " + dialogs.shown.back().message;
    }
};
} // namespace

TEST_F (WorkspaceExport, ExactBytesAnEmptyHistoryAndAFileThatCannotBeCreated)
{
    setHistory ({"Line one,\nline two.\n", juce::CharPointer_UTF8 ("caf\xc3\xa9")});
    const auto target = folder.getChildFile ("lyrics.txt");
    ASSERT_EQ (exportTo ({target}), chooser + exported);
    EXPECT_EQ (dialogs.shown[1].icon, juce::MessageBoxIconType::InfoIcon);
    juce::MemoryBlock bytes;
    ASSERT_TRUE (target.loadFileAsData (bytes));
    EXPECT_EQ (std::string ((const char*)bytes.getData(), bytes.getSize()),
               "Line one,\nline two.\n\r\n\r\ncaf\xc3\xa9\r\n");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1) << "no temporary file left";

    setHistory ({});
    EXPECT_EQ (exportTo ({target}, {true}), chooser + asked + exported);
    EXPECT_TRUE (target.existsAsFile());
    EXPECT_EQ (target.getSize(), 0);

    // A regular file standing where the folder should be: creation fails, also for root.
    EXPECT_EQ (exportTo ({target.getChildFile ("lyrics.txt")}),
               chooser + " / message: Could not export! / Failed to open file");
    EXPECT_TRUE (target.existsAsFile());
}

TEST_F (WorkspaceExport, TxtIsAddedOnlyWithoutExtensionAndTheQuestionConcernsThatName)
{
    setHistory ({"new"});
    EXPECT_EQ (exportTo ({folder.getChildFile ("notes")}), chooser + exported);
    EXPECT_EQ (exportTo ({folder.getChildFile ("notes.TEXT")}), chooser + exported);
    EXPECT_TRUE (folder.getChildFile ("notes.TEXT").existsAsFile());
    const auto notes = folder.getChildFile ("notes.txt");
    EXPECT_EQ (notes.loadFileAsString(), "new\r\n");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 2);

    // "notes" names notes.txt, which exists: asked, refused, the chooser comes back and is cancelled.
    ASSERT_TRUE (notes.replaceWithText ("old"));
    ASSERT_EQ (exportTo ({folder.getChildFile ("notes")}), chooser + asked + " / " + chooser + " / ");
    EXPECT_EQ (dialogs.shown[1].message, "The file already exists ... are you sure you want to overwrite it?");
    EXPECT_EQ (dialogs.shown[1].icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (notes.loadFileAsString(), "old");

    EXPECT_EQ (exportTo ({notes, notes}, {false, true}), chooser + asked + " / " + chooser + asked + exported);
    EXPECT_EQ (notes.loadFileAsString(), "new\r\n");
}

// Permissions do not stop root, so the write is made to fail with a file size limit (RLIMIT_FSIZE), under which
// the kernel refuses every byte past it. The limit would hold for the whole test process, so the export runs in a
// forked child, which says through its exit code whether it showed exactly the failure. 4000 lines (150 KB) are
// more than the writer's buffer, so the write itself fails; 120 lines (5 KB) stay inside it, so only the final
// flush fails, with a short write and no error code from the framework's flush.
struct WorkspaceExportUnderSizeLimit : public WorkspaceExport, public ::testing::WithParamInterface<int>
{
};
INSTANTIATE_TEST_SUITE_P (WriteAndFlush, WorkspaceExportUnderSizeLimit, ::testing::Values (4000, 120));

TEST_P (WorkspaceExportUnderSizeLimit, AFailedWriteKeepsTheOldFileAndIsReportedAsFailure)
{
    juce::String longEntry;
    for (int i = 0; i < GetParam(); ++i)
        longEntry << "a long line of the lyric history, " << i << "\n";
    setHistory ({longEntry, "second"});
    const auto target = folder.getChildFile ("lyrics.txt");
    ASSERT_TRUE (target.replaceWithText ("the old export"));

    const pid_t child = fork();
    ASSERT_GE (child, 0);
    if (child == 0)
    {
        signal (SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        setrlimit (RLIMIT_FSIZE, &limit);
        const auto report = exportTo ({target}, {true});
        std::fprintf (stderr, "export under the limit: %s\n", report.toRawUTF8());
        _exit (report == chooser + asked + " / message: Could not export! / Failed to write file" ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ (waitpid (child, &status, 0), child);
    EXPECT_EQ (status, 0) << "the export under the limit showed other boxes (see its line above)";
    EXPECT_EQ (target.loadFileAsString(), "the old export");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1) << "no temporary file left";

    // The same export without the limit succeeds: the failure above came from the limit.
    EXPECT_EQ (exportTo ({target}, {true}), chooser + asked + exported);
    EXPECT_EQ (target.getSize(), (juce::int64) (longEntry.getNumBytesAsUTF8() + std::strlen ("\r\n\r\nsecond\r\n")));
}
