// Puts text on the real X11 clipboard and reads it back through another program (xclip), as a user's paste would.
#include <bw_clipboard.h>

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
// Runs a program to its end while the message loop keeps running: the clipboard's content is served by this
// process's own message loop, so waiting without pumping would make the reader hang.
std::string runPumping (const juce::StringArray& command, bool wantOutput = true)
{
    juce::ChildProcess process;
    const int streams = wantOutput ? (juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr) : 0;

    if (!process.start (command, streams))
        return "<could not start " + command[0].toStdString() + ">";

    std::string output;
    char buffer[4096];
    const auto deadline = juce::Time::getMillisecondCounter() + 10000;

    while (process.isRunning() && juce::Time::getMillisecondCounter() < deadline)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);

    for (int got; (got = process.readProcessOutput (buffer, sizeof (buffer))) > 0;)
        output.append (buffer, (size_t)got);

    if (process.isRunning())
    {
        process.kill();
        return "<timed out>";
    }

    return output;
}

std::string pasteWithXclip()
{
    return runPumping ({"xclip", "-o", "-selection", "clipboard"});
}

std::string textFromClipboard()
{
    int n = -1;
    unsigned char* text = bw_clipboard_gettextfromclipboard (n);

    if (text == nullptr)
        return "<null>";

    std::string result (reinterpret_cast<char*> (text), (size_t)n);
    std::free (text);
    return result;
}
} // namespace

TEST (Clipboard, TextReachesOtherProgramsByteForByte)
{
    // Accented letters, line feeds (not turned into CR LF) and a character beyond U+FFFF.
    const std::string text = "Gr\xC3\xBC\xC3\x9F"
                             "e, caf\xC3\xA9\nna\xC3\xAFve line\n\xF0\x9F\x8E\xB8 end \xF0\x9F\x98\x80\n";

    ASSERT_EQ (bw_clipboard_copytexttoclipboard (text.c_str()), 0);
    EXPECT_EQ (pasteWithXclip(), text);
    EXPECT_EQ (textFromClipboard(), text);
}

TEST (Clipboard, EmptyOrInvalidTextLeavesTheClipboardAlone)
{
    ASSERT_EQ (bw_clipboard_copytexttoclipboard ("kept"), 0);

    EXPECT_EQ (bw_clipboard_copytexttoclipboard (""), -1);
    EXPECT_EQ (bw_clipboard_copytexttoclipboard (static_cast<const char*> (nullptr)), -1);
    EXPECT_EQ (bw_clipboard_copytexttoclipboard ("cut \xE2\x82"), -108);

    EXPECT_EQ (pasteWithXclip(), "kept");
    EXPECT_EQ (textFromClipboard(), "kept");
}

TEST (Clipboard, ReadsTextThatAnotherProgramPutThere)
{
    const juce::File source = juce::File::createTempFile (".txt");
    const std::string text = "from xclip: \xC3\xA9\xF0\x9F\x98\x80\n";
    ASSERT_TRUE (source.replaceWithData (text.data(), text.size()));

    // xclip keeps serving the selection from a background copy of itself until someone else takes it over; that
    // copy keeps the output pipe open, so its output is not read.
    runPumping ({"xclip", "-i", "-selection", "clipboard", source.getFullPathName()}, false);
    EXPECT_EQ (textFromClipboard(), text);
    source.deleteFile();

    ASSERT_EQ (bw_clipboard_copytexttoclipboard ("ours again"), 0);
    EXPECT_EQ (pasteWithXclip(), "ours again");
}
