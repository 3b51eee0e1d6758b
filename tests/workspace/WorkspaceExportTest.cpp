// History export: the exact bytes, the file name rule, the overwrite question,
// and failures that must never be reported as success or cost the old file.
#include "ScriptedDialogs.h"
#include "WorkspaceTestSupport.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace workspace_test;

namespace
{
class WorkspaceExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                     .getNonexistentChildFile ("quillet-export-test", {}, false);
        ASSERT_TRUE (folder.createDirectory());
    }

    void TearDown() override { folder.deleteRecursively(); }

    static std::string bytesOf (const juce::File& file)
    {
        juce::MemoryBlock block;
        file.loadFileAsData (block);
        return std::string (static_cast<const char*> (block.getData()), block.getSize());
    }

    juce::StringArray titles() const
    {
        juce::StringArray result;
        for (auto& s : dialogs.shown)
            result.add (s.kind + ": " + s.title);
        return result;
    }

    juce::File folder;
    ScriptedDialogs dialogs;
};

const juce::String chooserTitle = "Please decide where to export your lyric history as a text document...";
} // namespace

TEST_F (WorkspaceExport, WritesEntriesEndedByCrLfAndSeparatedByAnEmptyLine)
{
    auto ws = makeWorkspace ({"Line one,\nline two.\n", juce::CharPointer_UTF8 ("caf\xc3\xa9")});
    const auto target = folder.getChildFile ("lyrics.txt");
    dialogs.filesToSave = {target};

    ws->DoExport();

    EXPECT_EQ (bytesOf (target), std::string ("Line one,\nline two.\n\r\n\r\ncaf\xc3\xa9\r\n"));
    ASSERT_EQ (dialogs.shown.size(), 2u);
    EXPECT_EQ (dialogs.shown[0].title, chooserTitle);
    EXPECT_EQ (dialogs.shown[1].kind, "message");
    EXPECT_EQ (dialogs.shown[1].icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (dialogs.shown[1].title, "Exported!");
    EXPECT_EQ (dialogs.shown[1].message, "Lyric history exported OK!");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1) << "no temporary file left";
}

TEST_F (WorkspaceExport, AnEmptyHistoryGivesAnEmptyFileAndStillReportsSuccess)
{
    auto ws = makeWorkspace();
    const auto target = folder.getChildFile ("empty.txt");
    ASSERT_TRUE (target.replaceWithText ("old text"));
    dialogs.filesToSave = {target};
    dialogs.okCancelAnswers = {true};

    ws->DoExport();

    EXPECT_TRUE (target.existsAsFile());
    EXPECT_EQ (target.getSize(), 0);
    EXPECT_EQ (titles(), strings ({"save: " + chooserTitle, "okcancel: File already exists", "message: Exported!"}));
}

TEST_F (WorkspaceExport, ANameWithoutExtensionGetsTxtAndAnyExtensionIsKept)
{
    auto ws = makeWorkspace ({"x"});

    dialogs.filesToSave = {folder.getChildFile ("notes"), folder.getChildFile ("notes.TEXT"),
                           folder.getChildFile ("notes.md")};
    ws->DoExport();
    ws->DoExport();
    ws->DoExport();

    EXPECT_TRUE (folder.getChildFile ("notes.txt").existsAsFile());
    EXPECT_FALSE (folder.getChildFile ("notes").exists());
    EXPECT_TRUE (folder.getChildFile ("notes.TEXT").existsAsFile());
    EXPECT_FALSE (folder.getChildFile ("notes.TEXT.txt").exists());
    EXPECT_TRUE (folder.getChildFile ("notes.md").existsAsFile());
    EXPECT_EQ (dialogs.count ("okcancel"), 0);
}

TEST_F (WorkspaceExport, TheOverwriteQuestionConcernsTheNameWithTxtAndCancelAsksForAFileAgain)
{
    auto ws = makeWorkspace ({"new"});
    const auto existing = folder.getChildFile ("song.txt");
    ASSERT_TRUE (existing.replaceWithText ("old"));

    // "song" names song.txt: asked, refused, the chooser comes back and is cancelled.
    dialogs.filesToSave = {folder.getChildFile ("song")};
    dialogs.okCancelAnswers = {false};
    ws->DoExport();

    EXPECT_EQ (titles(), strings ({"save: " + chooserTitle, "okcancel: File already exists", "save: " + chooserTitle}));
    EXPECT_EQ (dialogs.shown[1].icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (dialogs.shown[1].message, "The file already exists ... are you sure you want to overwrite it?");
    EXPECT_EQ (existing.loadFileAsString(), "old");

    // Refused once, then the same file again with "overwrite".
    dialogs.shown.clear();
    dialogs.filesToSave = {existing, existing};
    dialogs.okCancelAnswers = {false, true};
    ws->DoExport();

    EXPECT_EQ (dialogs.count ("save"), 2);
    EXPECT_EQ (dialogs.count ("okcancel"), 2);
    EXPECT_EQ (existing.loadFileAsString(), "new\r\n");
}

TEST_F (WorkspaceExport, ACancelledChooserWritesAndShowsNothing)
{
    auto ws = makeWorkspace ({"x"});

    ws->DoExport();

    EXPECT_EQ (titles(), strings ({"save: " + chooserTitle}));
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 0);
}

TEST_F (WorkspaceExport, AFileThatCannotBeCreatedIsReportedNotExported)
{
    auto ws = makeWorkspace ({"x"});

    // A regular file standing where the folder should be: creation fails, also for root.
    const auto notAFolder = folder.getChildFile ("plain-file");
    ASSERT_TRUE (notAFolder.replaceWithText ("I am a file"));
    dialogs.filesToSave = {notAFolder.getChildFile ("lyrics.txt")};

    ws->DoExport();

    ASSERT_EQ (dialogs.count ("message"), 1);
    EXPECT_EQ (dialogs.shown.back().title, "Could not export!");
    EXPECT_EQ (dialogs.shown.back().message, "Failed to open file");
    EXPECT_EQ (dialogs.shown.back().icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (notAFolder.loadFileAsString(), "I am a file");
}

// Permissions do not stop root, so the write is made to fail with a file size
// limit (RLIMIT_FSIZE): the kernel refuses every byte past it with EFBIG. The
// limit would hold for the whole test process, so the export runs in a child
// process that reports the boxes it showed through a pipe.
class WorkspaceExportUnderSizeLimit : public WorkspaceExport, public ::testing::WithParamInterface<int>
{
protected:
    /** Runs DoExport in a child process whose files may not grow past limitBytes; returns the boxes it showed. */
    std::string exportInChildWithFileSizeLimit (quilletComponent& ws, rlim_t limitBytes)
    {
        int fds[2];
        if (pipe (fds) != 0)
            return "pipe failed";

        const pid_t child = fork();
        if (child < 0)
            return "fork failed";

        if (child == 0)
        {
            close (fds[0]);
            signal (SIGXFSZ, SIG_IGN);
            const rlimit limit{limitBytes, limitBytes};
            setrlimit (RLIMIT_FSIZE, &limit);

            ws.DoExport();

            juce::String report;
            for (auto& s : dialogs.shown)
                report << s.kind << ": " << s.title << " / " << s.message << "\n";
            const auto written = write (fds[1], report.toRawUTF8(), report.getNumBytesAsUTF8());
            _exit (written >= 0 ? 0 : 1);
        }

        close (fds[1]);
        std::string report;
        char buffer[512];
        for (ssize_t n; (n = read (fds[0], buffer, sizeof (buffer))) > 0;)
            report.append (buffer, (size_t)n);
        close (fds[0]);

        int status = 0;
        if (waitpid (child, &status, 0) != child || !WIFEXITED (status) || WEXITSTATUS (status) != 0)
            report += "child failed";
        return report;
    }
};

// 150 KB is more than the writer's buffer, so the write itself fails.
INSTANTIATE_TEST_SUITE_P (Write, WorkspaceExportUnderSizeLimit, ::testing::Values (4000));

// 5 KB stays inside the writer's buffer, so only the final flush fails, with a
// short write (1024 of the bytes) and no error code from the framework's flush.
INSTANTIATE_TEST_SUITE_P (Flush, WorkspaceExportUnderSizeLimit, ::testing::Values (120));

TEST_P (WorkspaceExportUnderSizeLimit, AFailedWriteKeepsTheOldFileAndIsReportedAsFailure)
{
    juce::String longEntry;
    for (int i = 0; i < GetParam(); ++i)
        longEntry << "a long line of the lyric history, " << i << "\n";

    auto ws = makeWorkspace ({longEntry, "second"});
    const auto target = folder.getChildFile ("lyrics.txt");
    ASSERT_TRUE (target.replaceWithText ("the old export"));
    dialogs.filesToSave = {target};
    dialogs.okCancelAnswers = {true};

    const auto report = exportInChildWithFileSizeLimit (*ws, 1024);

    EXPECT_NE (report.find ("message: Could not export! / Failed to write file\n"), std::string::npos) << report;
    EXPECT_EQ (report.find ("Exported!"), std::string::npos) << report;
    EXPECT_EQ (target.loadFileAsString(), "the old export");
    EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFilesAndDirectories), 1) << "no temporary file left";

    // The same export without the limit succeeds: the failure above came from the write.
    dialogs.shown.clear();
    dialogs.filesToSave = {target};
    dialogs.okCancelAnswers = {true};
    ws->DoExport();
    EXPECT_EQ (dialogs.shown.back().title, "Exported!");
    EXPECT_EQ (target.getSize(), (juce::int64) (longEntry.getNumBytesAsUTF8() + std::strlen ("\r\n\r\nsecond\r\n")));
}
