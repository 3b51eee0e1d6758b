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
struct RecordedAlert
{
    juce::String title, message;
};

std::vector<RecordedAlert> recordedAlerts;

void recordAlert (const juce::String& title, const juce::String& message)
{
    recordedAlerts.push_back ({title, message});
}

// Runs `body` in a forked child and returns its exit code (-1 if it died by a signal). When the tests run as root,
// the child gives up root first, as permissions mean nothing to root.
int runInChild (bool unprivileged, const std::function<int()>& body)
{
    const pid_t pid = fork();

    if (pid == 0)
    {
        if (unprivileged && geteuid() == 0 && (setgid (65534) != 0 || setuid (65534) != 0))
            _exit (100);

        _exit (body());
    }

    int status = 0;
    waitpid (pid, &status, 0);
    return WIFEXITED (status) ? WEXITSTATUS (status) : -1;
}

juce::MemoryBlock patternBytes (size_t size)
{
    juce::MemoryBlock block (size);
    for (size_t i = 0; i < size; ++i)
        block[i] = (char)(i * 7 + 3);
    return block;
}

class FileHelpers : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // mkdtemp: test processes run in parallel and must never share a folder.
        std::string pattern =
            (juce::File::getSpecialLocation (juce::File::tempDirectory).getFullPathName() + "/util_files_XXXXXX")
                .toStdString();
        ASSERT_NE (mkdtemp (pattern.data()), nullptr);
        folder = juce::File (pattern);
        ::chmod (folder.getFullPathName().toRawUTF8(), 0777); // reachable by the unprivileged child too
        recordedAlerts.clear();
        my_bw_SetFileAlertHandler (&recordAlert);
    }

    void TearDown() override
    {
        my_bw_SetFileAlertHandler (nullptr);
        // Make everything deletable again before removing it.
        for (const auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, true))
            ::chmod (f.getFullPathName().toRawUTF8(), 0777);
        ::chmod (folder.getFullPathName().toRawUTF8(), 0777);
        folder.deleteRecursively();
    }

    juce::File file (const char* name) const { return folder.getChildFile (name); }

    // Only the named files, no temporary files left behind.
    juce::StringArray filesInFolder() const
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles (juce::File::findFiles, false, "*", juce::File::FollowSymlinks::no))
            names.add (f.getFileName());
        names.sort (false);
        return names;
    }

    juce::File folder;
};
} // namespace

TEST_F (FileHelpers, LoadsEmptyMissingAndBinaryFiles)
{
    ASSERT_TRUE (file ("empty.txt").create());
    int size = -1;
    unsigned char* data = my_bw_file_load (file ("empty.txt").getFullPathName(), size);
    ASSERT_NE (data, nullptr);
    EXPECT_EQ (size, 0);
    EXPECT_EQ (data[0], 0);
    std::free (data);

    size = -1;
    EXPECT_EQ (my_bw_file_load (file ("missing.txt").getFullPathName(), size), nullptr);
    EXPECT_EQ (size, 0);
    EXPECT_EQ (my_bw_file_load ({}, size), nullptr);
    EXPECT_EQ (my_bw_file_load (folder.getFullPathName(), size), nullptr); // a folder is no file

    const char content[] = "ab\0c\xC3\xA9";
    ASSERT_TRUE (file ("bin").replaceWithData (content, 6));
    data = my_bw_file_load (file ("bin").getFullPathName(), size);
    ASSERT_NE (data, nullptr);
    EXPECT_EQ (size, 6);
    EXPECT_EQ (std::memcmp (data, content, 7), 0); // the content and the added zero
    std::free (data);

    size = -1;
    std::unique_ptr<juce::FileInputStream> in (MyOpenFileForReading (file ("bin").getFullPathName(), size));
    ASSERT_NE (in, nullptr);
    EXPECT_EQ (size, 6);
    size = -1;
    EXPECT_EQ (MyOpenFileForReading (file ("missing.txt").getFullPathName(), size), nullptr);
    EXPECT_EQ (size, -1); // left alone
}

TEST_F (FileHelpers, UnreadableFileGivesNull)
{
    ASSERT_TRUE (file ("secret.txt").replaceWithText ("hidden"));
    ::chmod (file ("secret.txt").getFullPathName().toRawUTF8(), 0);
    const juce::String path = file ("secret.txt").getFullPathName();

    EXPECT_EQ (runInChild (true,
                           [&]
                           {
                               int size = 0;
                               MyFileReader reader;
                               const bool opened = reader.OpenFromPath (path);
                               return (!opened && reader.m_data == nullptr && my_bw_file_load (path, size) == nullptr)
                                          ? 0
                                          : 1;
                           }),
               0);
}

TEST_F (FileHelpers, FilesOfTwoGibibytesOrMoreGiveNull)
{
    // Sparse files: no disk space is used.
    for (const juce::int64 length : {(juce::int64)1 << 31, ((juce::int64)1 << 32) + 5})
    {
        const juce::File big = file ("big.bin");
        ASSERT_TRUE (big.create());
        ASSERT_EQ (::truncate (big.getFullPathName().toRawUTF8(), (off_t)length), 0);

        int size = -1;
        EXPECT_EQ (MyOpenFileForReading (big.getFullPathName(), size), nullptr);
        EXPECT_EQ (size, -1);
        EXPECT_EQ (my_bw_file_load (big.getFullPathName(), size), nullptr);
        EXPECT_EQ (size, 0);

        MyFileReader reader;
        EXPECT_FALSE (reader.OpenFromPath (big.getFullPathName()));
        EXPECT_EQ (reader.m_data, nullptr);
        EXPECT_EQ (reader.m_size, 0);
        big.deleteFile();
    }
}

TEST_F (FileHelpers, ReaderKeepsPathAndCanBeReused)
{
    ASSERT_TRUE (file ("a.quillet").replaceWithText ("first"));
    ASSERT_TRUE (file ("b.quillet").replaceWithText ("second one"));

    MyFileReader reader;
    ASSERT_TRUE (reader.OpenFromPath (file ("a.quillet").getFullPathName()));
    EXPECT_STREQ (reader.m_path, file ("a.quillet").getFullPathName().toRawUTF8());
    EXPECT_STREQ (reinterpret_cast<char*> (reader.m_data), "first");

    ASSERT_TRUE (reader.OpenFromPath (file ("b.quillet").getFullPathName()));
    EXPECT_EQ (reader.m_size, 10);
    EXPECT_STREQ (reinterpret_cast<char*> (reader.m_data), "second one");
}

TEST_F (FileHelpers, LongPathIsCutAtACharacterBoundary)
{
    // Two-byte characters throughout, so that byte 255 of the path falls inside one for one of the two offsets.
    for (const char* prefix : {"", "x"})
    {
        juce::String name (prefix);
        for (int i = 0; i < 200; ++i)
            name += juce::String::fromUTF8 ("\xC3\xA9");
        const juce::String path = folder.getFullPathName() + "/" + name + "/" + name + ".quillet";
        const char* full = path.toRawUTF8();

        MyFileReader reader;
        EXPECT_FALSE (reader.OpenFromPath (path)); // no such file; the path is kept all the same
        const size_t kept = std::strlen (reader.m_path);
        EXPECT_LE (kept, 255u);
        EXPECT_GE (kept, 254u);
        EXPECT_EQ (std::strncmp (reader.m_path, full, kept), 0);
        EXPECT_NE ((static_cast<unsigned char> (full[kept]) & 0xC0), 0x80); // next byte starts a character
        EXPECT_TRUE (juce::CharPointer_UTF8::isValidString (reader.m_path, (int)kept));
    }
}

TEST_F (FileHelpers, WriterReplacesOnlyOnCommit)
{
    const juce::File target = file ("song.quillet");
    ASSERT_TRUE (target.replaceWithText ("old content"));
    ::chmod (target.getFullPathName().toRawUTF8(), 0640);

    std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (target.getFullPathName()));
    ASSERT_NE (out, nullptr);
    EXPECT_TRUE (out->writeString ("new content"));
    out->flush();
    EXPECT_EQ (target.loadFileAsString(), "old content"); // the old file is there while writing
    EXPECT_TRUE (out->Commit());
    EXPECT_EQ (target.loadFileAsString(), "new content");
    EXPECT_EQ (filesInFolder(), juce::StringArray ("song.quillet"));

    struct stat info;
    ASSERT_EQ (::stat (target.getFullPathName().toRawUTF8(), &info), 0);
    EXPECT_EQ (info.st_mode & 0777, 0640u);

    // Finished: no more writing, no second replacement.
    EXPECT_FALSE (out->writeString ("late"));
    EXPECT_FALSE (out->Commit());
    EXPECT_EQ (target.loadFileAsString(), "new content");
    EXPECT_TRUE (recordedAlerts.empty());
}

TEST_F (FileHelpers, WriterCreatesNewAndEmptyFiles)
{
    std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (file ("new.txt").getFullPathName()));
    ASSERT_NE (out, nullptr);
    EXPECT_FALSE (file ("new.txt").exists());
    EXPECT_TRUE (out->Commit());
    EXPECT_TRUE (file ("new.txt").existsAsFile());
    EXPECT_EQ (file ("new.txt").getSize(), 0);

    EXPECT_EQ (MyOpenFileForWriting ({}), nullptr);
    EXPECT_EQ (MyOpenFileForWriting (file ("no/such/folder.txt").getFullPathName()), nullptr);
    EXPECT_TRUE (recordedAlerts.empty()); // a stream that cannot be created is no replace failure
}

TEST_F (FileHelpers, WriterWithoutCommitLeavesTheTargetAlone)
{
    const juce::File target = file ("keep.txt");
    ASSERT_TRUE (target.replaceWithText ("keep me"));
    {
        std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (target.getFullPathName()));
        ASSERT_NE (out, nullptr);
        out->writeString ("abandoned");
    }
    EXPECT_EQ (target.loadFileAsString(), "keep me");
    EXPECT_EQ (filesInFolder(), juce::StringArray ("keep.txt"));

    {
        std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (file ("never.txt").getFullPathName()));
        ASSERT_NE (out, nullptr);
    }
    EXPECT_FALSE (file ("never.txt").exists());
}

TEST_F (FileHelpers, WriteFailingHalfWayKeepsTheOldFile)
{
    const juce::File target = file ("song.quillet");
    const juce::MemoryBlock old = patternBytes (20000);
    ASSERT_TRUE (target.replaceWithData (old.getData(), old.getSize()));
    const juce::String path = target.getFullPathName();

    // The child may write files of at most 64 KiB; the new content is 1 MiB. Without the signal ignored the
    // child would be killed instead of seeing the write fail.
    const int result = runInChild (false,
                                   [&]
                                   {
                                       std::signal (SIGXFSZ, SIG_IGN);
                                       const rlimit limit{65536, 65536};
                                       if (setrlimit (RLIMIT_FSIZE, &limit) != 0)
                                           return 10;

                                       std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (path));
                                       if (out == nullptr)
                                           return 11;

                                       const juce::MemoryBlock chunk = patternBytes (4096);
                                       bool allWritten = true;
                                       for (int i = 0; i < 256; ++i)
                                           allWritten = out->write (chunk.getData(), chunk.getSize()) && allWritten;

                                       if (out->Commit())
                                           return 12; // the failure was reported as success
                                       return allWritten ? 13 : 0;
                                   });
    EXPECT_EQ (result, 0);

    juce::MemoryBlock now;
    ASSERT_TRUE (target.loadFileAsData (now));
    EXPECT_TRUE (now == old);
    EXPECT_EQ (filesInFolder(), juce::StringArray ("song.quillet"));
}

TEST_F (FileHelpers, ShortWriteAtTheFinalFlushIsAFailure)
{
    const juce::File target = file ("lyrics.txt");
    ASSERT_TRUE (target.replaceWithText ("the old lyrics"));
    const juce::String path = target.getFullPathName();

    // 20 KB fits in the writer's buffer, so every write() succeeds and only the final flush meets the 8 KiB limit,
    // where the kernel accepts part of the data without reporting an error.
    const int result = runInChild (false,
                                   [&]
                                   {
                                       std::signal (SIGXFSZ, SIG_IGN);
                                       const rlimit limit{8192, 8192};
                                       if (setrlimit (RLIMIT_FSIZE, &limit) != 0)
                                           return 10;

                                       std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (path));
                                       if (out == nullptr)
                                           return 11;

                                       const juce::MemoryBlock data = patternBytes (20000);
                                       if (! out->write (data.getData(), data.getSize()))
                                           return 13;
                                       return out->Commit() ? 12 : 0;
                                   });
    EXPECT_EQ (result, 0);
    EXPECT_EQ (target.loadFileAsString(), "the old lyrics");
    EXPECT_EQ (filesInFolder(), juce::StringArray ("lyrics.txt"));
}

TEST_F (FileHelpers, FailureAtCommitKeepsTheOldFile)
{
    // Everything is written, but the folder stops taking new names before the temporary file is moved over the
    // target. The parent locks the folder while the (unprivileged) child waits between writing and Commit().
    const juce::File sub = file ("sub");
    ASSERT_TRUE (sub.createDirectory());
    ::chmod (sub.getFullPathName().toRawUTF8(), 0777);
    const juce::File target = sub.getChildFile ("song.quillet");
    ASSERT_TRUE (target.replaceWithText ("old"));
    ::chmod (target.getFullPathName().toRawUTF8(), 0666);
    const juce::String path = target.getFullPathName();

    int written[2], locked[2];
    ASSERT_EQ (pipe (written), 0);
    ASSERT_EQ (pipe (locked), 0);

    const pid_t pid = fork();

    if (pid == 0)
    {
        if (geteuid() == 0 && (setgid (65534) != 0 || setuid (65534) != 0))
            _exit (100);

        std::unique_ptr<MySafeFileOutputStream> out (MyOpenFileForWriting (path));
        if (out == nullptr || !out->writeString ("new content"))
            _exit (10);
        char go = 0;
        if (write (written[1], "w", 1) != 1 || read (locked[0], &go, 1) != 1)
            _exit (11);
        _exit (out->Commit() ? 12 : 0);
    }

    char go = 0;
    ASSERT_EQ (read (written[0], &go, 1), 1);
    ::chmod (sub.getFullPathName().toRawUTF8(), 0555);
    ASSERT_EQ (write (locked[1], "l", 1), 1);

    int status = 0;
    waitpid (pid, &status, 0);
    for (int fd : {written[0], written[1], locked[0], locked[1]})
        close (fd);

    ASSERT_TRUE (WIFEXITED (status));
    EXPECT_EQ (WEXITSTATUS (status), 0);
    EXPECT_EQ (target.loadFileAsString(), "old");
}

TEST_F (FileHelpers, TargetThatCannotBeReplacedIsReported)
{
    ASSERT_TRUE (file ("folder.quillet").createDirectory());
    EXPECT_EQ (MyOpenFileForWriting (file ("folder.quillet").getFullPathName()), nullptr);
    ASSERT_EQ (recordedAlerts.size(), 1u);
    EXPECT_EQ (recordedAlerts[0].title, "File could not be replaced");
    EXPECT_EQ (recordedAlerts[0].message, "The file already exists and could not be overwritten!");

    // A read-only file in a writable folder, and a file in a folder that is not writable.
    ASSERT_TRUE (file ("readonly.txt").replaceWithText ("ro"));
    ::chmod (file ("readonly.txt").getFullPathName().toRawUTF8(), 0444);
    const juce::File locked = file ("locked");
    ASSERT_TRUE (locked.createDirectory());
    ASSERT_TRUE (locked.getChildFile ("inside.txt").replaceWithText ("in"));
    ::chmod (locked.getChildFile ("inside.txt").getFullPathName().toRawUTF8(), 0666);
    ::chmod (locked.getFullPathName().toRawUTF8(), 0555);

    const juce::String readOnlyPath = file ("readonly.txt").getFullPathName();
    const juce::String insidePath = locked.getChildFile ("inside.txt").getFullPathName();
    const juce::String newInLockedPath = locked.getChildFile ("new.txt").getFullPathName();

    EXPECT_EQ (runInChild (true,
                           [&]
                           {
                               recordedAlerts.clear();
                               if (MyOpenFileForWriting (readOnlyPath) != nullptr ||
                                   MyOpenFileForWriting (insidePath) != nullptr)
                                   return 1;
                               if (recordedAlerts.size() != 2)
                                   return 2;
                               for (auto& a : recordedAlerts)
                                   if (a.title != "File could not be replaced" ||
                                       a.message != "The file already exists and could not be overwritten!")
                                       return 3;
                               // No file there yet: nothing to replace, so no warning, just no stream.
                               if (MyOpenFileForWriting (newInLockedPath) != nullptr || recordedAlerts.size() != 2)
                                   return 4;
                               return 0;
                           }),
               0);

    EXPECT_EQ (file ("readonly.txt").loadFileAsString(), "ro");
    EXPECT_EQ (locked.getChildFile ("inside.txt").loadFileAsString(), "in");
}
