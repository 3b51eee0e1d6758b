// Tests of whole-file loading and of the safe writer: the old file must survive every failed save.
#include <my_bw_file.h>
#include <my_bw_file_alert.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
std::vector<juce::String> alerts;
const juce::String replaceAlert = "File could not be replaced: The file already exists and could not be overwritten!";

void recordAlert (const juce::String& title, const juce::String& message)
{
    alerts.push_back (title + ": " + message);
}

// Runs `body` in a forked child and returns its exit code (-1 if it died by a signal). Permissions mean nothing to
// root, so an `unprivileged` child run by root first becomes nobody.
int runInChild (bool unprivileged, const std::function<int()>& body)
{
    const pid_t pid = fork();

    if (pid == 0)
        _exit (unprivileged && geteuid() == 0 && (setgid (65534) != 0 || setuid (65534) != 0) ? 100 : body());

    int status = 0;
    waitpid (pid, &status, 0);
    return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
}

// Writes `chunks` blocks of `chunkBytes` through a new stream in a child whose files may hold at most `limit` bytes.
// Returns 1 if Commit() succeeded, plus 2 if every write() reported success; 10 and more for set-up failures.
int writeUnderSizeLimit (const juce::String& path, rlim_t limit, size_t chunkBytes, int chunks)
{
    const auto writeAll = [&]
    {
        std::signal (SIGXFSZ, SIG_IGN); // so that the child sees the write fail instead of being killed
        const rlimit fileSize{limit, limit};
        std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (path));
        if (setrlimit (RLIMIT_FSIZE, &fileSize) != 0 || out == nullptr)
            return 10;

        const std::vector<char> chunk (chunkBytes, 'n');
        bool allWritten = true;
        for (int i = 0; i < chunks; ++i)
            allWritten = out->write (chunk.data(), chunkBytes) && allWritten;
        return (out->Commit() ? 1 : 0) + (allWritten ? 2 : 0);
    };
    return runInChild (false, writeAll);
}

class FileHelpers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // mkdtemp: test processes run in parallel and must never share a folder.
        std::string pattern = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                  .getChildFile ("util_files_XXXXXX")
                                  .getFullPathName()
                                  .toStdString();
        ASSERT_NE (mkdtemp (pattern.data()), nullptr);
        ::chmod (pattern.c_str(), 0777); // reachable by the unprivileged child too
        folder = juce::File (pattern);
        alerts.clear();
        my_bw_SetFileAlertHandler (&recordAlert);
    }

    void TearDown() override
    {
        my_bw_SetFileAlertHandler (nullptr);
        for (const auto& f : folder.findChildFiles (juce::File::findDirectories, true))
            ::chmod (f.getFullPathName().toRawUTF8(), 0777);
        folder.deleteRecursively();
    }

    juce::File file (const char* name) const { return folder.getChildFile (name); }
    juce::String path (const char* name) const { return file (name).getFullPathName(); }

    // Counts hidden files too: a temporary file left behind shows.
    int numFiles() const { return folder.getNumberOfChildFiles (juce::File::findFiles); }

    juce::File folder;
};
} // namespace

TEST_F (FileHelpers, LoadsEmptyMissingUnreadableAndBinaryFiles)
{
    int size = -1;
    for (const juce::String& missing : {path ("missing.txt"), juce::String(), folder.getFullPathName()})
        EXPECT_EQ (my_bw_file_load (missing, size), nullptr) << missing;

    ASSERT_TRUE (file ("empty.txt").create());
    MyFileReader reader;
    ASSERT_TRUE (reader.OpenFromPath (path ("empty.txt")));
    EXPECT_EQ (reader.m_size, 0);
    EXPECT_EQ (reader.m_data[0], 0);

    const char content[] = "ab\0c\xC3\xA9";
    ASSERT_TRUE (file ("bin").replaceWithData (content, 6));
    ASSERT_TRUE (reader.OpenFromPath (path ("bin"))); // the same reader again: the second file replaces the first
    EXPECT_STREQ (reader.m_path, path ("bin").toRawUTF8());
    EXPECT_EQ (reader.m_size, 6);
    EXPECT_EQ (std::memcmp (reader.m_data, content, 7), 0); // the content and the added zero

    const juce::String secret = path ("secret.txt");
    ASSERT_TRUE (file ("secret.txt").replaceWithText ("hidden"));
    ::chmod (secret.toRawUTF8(), 0);
    const auto readSecret = [&] { return reader.OpenFromPath (secret) || my_bw_file_load (secret, size) != nullptr; };
    EXPECT_EQ (runInChild (true, readSecret), 0);
}

TEST_F (FileHelpers, FilesOfTwoGibibytesOrMoreGiveNull)
{
    // Sparse files: no disk space is used.
    for (const juce::int64 length : {(juce::int64)1 << 31, ((juce::int64)1 << 32) + 5})
    {
        ASSERT_TRUE (file ("big.bin").create());
        ASSERT_EQ (::truncate (path ("big.bin").toRawUTF8(), (off_t)length), 0);
        int size = -1;
        EXPECT_EQ (MyOpenFileForReading (path ("big.bin"), size), nullptr);
        EXPECT_EQ (size, -1); // left alone
        MyFileReader reader;
        EXPECT_FALSE (reader.OpenFromPath (path ("big.bin")));
        EXPECT_EQ (reader.m_size, 0);
    }
}

TEST_F (FileHelpers, LongPathIsCutAtACharacterBoundary)
{
    // Two-byte characters throughout, so that byte 255 of the path falls inside one for one of the two offsets.
    for (const char* prefix : {"", "x"})
    {
        const juce::String name = prefix + juce::String::repeatedString (juce::String::fromUTF8 ("\xC3\xA9"), 200);
        const juce::String full = folder.getFullPathName() + "/" + name + "/" + name + ".quillet";
        MyFileReader reader;
        EXPECT_FALSE (reader.OpenFromPath (full)); // no such file; the path is kept all the same
        const size_t kept = std::strlen (reader.m_path);
        EXPECT_TRUE (kept == 254 || kept == 255) << kept;
        EXPECT_EQ (std::strncmp (reader.m_path, full.toRawUTF8(), kept), 0);
        EXPECT_NE ((static_cast<unsigned char> (full.toRawUTF8()[kept]) & 0xC0), 0x80); // a character starts there
    }
}

TEST_F (FileHelpers, WriterReplacesOnlyOnCommit)
{
    const juce::File target = file ("song.quillet");
    ASSERT_TRUE (target.replaceWithText ("old content"));
    ::chmod (path ("song.quillet").toRawUTF8(), 0640);
    std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (path ("song.quillet")));
    ASSERT_NE (out, nullptr);
    EXPECT_TRUE (out->writeString ("abandoned"));
    out.reset (MyOpenFileForWriting (path ("song.quillet"))); // the first stream goes without Commit()
    EXPECT_TRUE (out->writeString ("new content"));
    out->flush();
    EXPECT_EQ (target.loadFileAsString(), "old content"); // the old file is there while writing
    EXPECT_TRUE (out->Commit());
    EXPECT_EQ (target.loadFileAsString(), "new content");
    struct stat info;
    ASSERT_EQ (::stat (path ("song.quillet").toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 0777, 0640u);

    // Finished: no more writing, no second replacement.
    EXPECT_FALSE (out->writeString ("late"));
    EXPECT_FALSE (out->Commit());
    EXPECT_EQ (target.loadFileAsString(), "new content");

    // A new, empty file appears only on Commit().
    out.reset (MyOpenFileForWriting (path ("new.txt")));
    EXPECT_FALSE (file ("new.txt").exists());
    EXPECT_TRUE (out->Commit());
    EXPECT_EQ (file ("new.txt").getSize(), 0);
    EXPECT_EQ (numFiles(), 2);

    EXPECT_EQ (MyOpenFileForWriting ({}), nullptr);
    EXPECT_EQ (MyOpenFileForWriting (path ("no/such/folder.txt")), nullptr);
    EXPECT_TRUE (alerts.empty()); // a stream that cannot be created is no replace failure
}

TEST_F (FileHelpers, WriteFailingHalfWayKeepsTheOldFile)
{
    const juce::String old = juce::String::repeatedString ("old song; ", 2000);
    ASSERT_TRUE (file ("song.quillet").replaceWithText (old));

    // 1 MiB into files of at most 64 KiB: writes fail, and so must Commit().
    EXPECT_EQ (writeUnderSizeLimit (path ("song.quillet"), 65536, 4096, 256), 0);
    EXPECT_EQ (file ("song.quillet").loadFileAsString(), old);
    EXPECT_EQ (numFiles(), 1);
}

TEST_F (FileHelpers, ShortWriteAtTheFinalFlushIsAFailure)
{
    ASSERT_TRUE (file ("lyrics.txt").replaceWithText ("the old lyrics"));

    // 20 KB fits in the writer's buffer, so every write() succeeds and only the final flush meets the 8 KiB limit,
    // where the kernel takes part of the data without reporting an error.
    EXPECT_EQ (writeUnderSizeLimit (path ("lyrics.txt"), 8192, 20000, 1), 2);
    EXPECT_EQ (file ("lyrics.txt").loadFileAsString(), "the old lyrics");
    EXPECT_EQ (numFiles(), 1);
}

TEST_F (FileHelpers, FailureAtCommitKeepsTheOldFile)
{
    // Everything is written, but the folder stops taking new names before the temporary file is moved over the
    // target. The unprivileged child owns the folder, so it can lock it itself.
    const juce::File sub = file ("sub"), target = file ("sub/song.quillet");
    const auto writeAndLock = [&]
    {
        if (!sub.createDirectory() || !target.replaceWithText ("old"))
            return 10;
        std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (target.getFullPathName()));
        if (out == nullptr || !out->writeString ("new content"))
            return 11;
        ::chmod (sub.getFullPathName().toRawUTF8(), 0555);
        return out->Commit() ? 1 : 0;
    };
    EXPECT_EQ (runInChild (true, writeAndLock), 0);
    EXPECT_EQ (target.loadFileAsString(), "old");
}

TEST_F (FileHelpers, TargetThatCannotBeReplacedIsReported)
{
    ASSERT_TRUE (file ("folder.quillet").createDirectory());
    EXPECT_EQ (MyOpenFileForWriting (path ("folder.quillet")), nullptr);
    EXPECT_EQ (alerts, std::vector<juce::String>{replaceAlert});

    // A read-only file in a writable folder, and a file in a folder that is not writable.
    ASSERT_TRUE (file ("readonly.txt").replaceWithText ("ro"));
    ASSERT_TRUE (file ("locked").createDirectory());
    ASSERT_TRUE (file ("locked/in").replaceWithText ("in"));
    ::chmod (path ("readonly.txt").toRawUTF8(), 0444);
    ::chmod (path ("locked/in").toRawUTF8(), 0666);
    ::chmod (path ("locked").toRawUTF8(), 0555);

    const auto openAll = [&]
    {
        alerts.clear();
        // Nothing at locked/new yet: nothing to replace, so no warning, just no stream.
        for (const char* name : {"readonly.txt", "locked/in", "locked/new"})
            if (MyOpenFileForWriting (path (name)) != nullptr)
                return 1;
        return alerts == std::vector<juce::String> (2, replaceAlert) ? 0 : 2;
    };
    EXPECT_EQ (runInChild (true, openAll), 0);
    EXPECT_EQ (file ("readonly.txt").loadFileAsString(), "ro");
    EXPECT_EQ (file ("locked/in").loadFileAsString(), "in");
}
