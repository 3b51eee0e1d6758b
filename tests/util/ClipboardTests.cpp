// Puts text on the real X11 clipboard and reads it back through another program (xclip), as a user's paste would.
#include <bw_clipboard.h>

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
// Runs xclip to its end while the message loop keeps running: the clipboard's content is served by this process's
// own message loop, so waiting without pumping would make the reader hang.
std::string runXclip (const juce::StringArray& arguments, bool wantOutput = true)
{
    juce::ChildProcess process;
    juce::StringArray command ("xclip", "-selection", "clipboard");
    command.addArray (arguments);
    if (!process.start (command, wantOutput ? juce::ChildProcess::wantStdOut : 0))
        return "<could not start xclip>";

    const auto deadline = juce::Time::getMillisecondCounter() + 10000;
    while (process.isRunning() && juce::Time::getMillisecondCounter() < deadline)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);

    if (process.isRunning())
        process.kill();

    return wantOutput ? process.readAllProcessOutput().toStdString() : std::string();
}

std::string textFromClipboard()
{
    int n = -1;
    unsigned char* text = bw_clipboard_gettextfromclipboard (n);
    const std::string result = text == nullptr ? "<null>" : std::string (reinterpret_cast<char*> (text), (size_t)n);
    std::free (text);
    return result;
}
} // namespace

TEST (Clipboard, TextTravelsByteForByteBetweenUsAndOtherPrograms)
{
    // Accented letters, line feeds (not turned into CR LF) and characters beyond U+FFFF.
    const std::string text = "Gr\xC3\xBC\xC3\x9F"
                             "e, caf\xC3\xA9\nna\xC3\xAFve line\n\xF0\x9F\x8E\xB8 end \xF0\x9F\x98\x80\n";
    ASSERT_EQ (bw_clipboard_copytexttoclipboard (text.c_str()), 0);
    EXPECT_EQ (runXclip ({"-o"}), text);
    EXPECT_EQ (textFromClipboard(), text);

    // xclip keeps serving the selection from a background copy of itself, which keeps the output pipe open: its
    // output is not read.
    const juce::File source = juce::File::createTempFile (".txt");
    const std::string theirs = "from xclip: \xC3\xA9\xF0\x9F\x98\x80\n";
    ASSERT_TRUE (source.replaceWithData (theirs.data(), theirs.size()));
    runXclip ({"-i", source.getFullPathName()}, false);
    source.deleteFile();
    EXPECT_EQ (textFromClipboard(), theirs);
}

TEST (Clipboard, EmptyOrInvalidTextLeavesTheClipboardAlone)
{
    ASSERT_EQ (bw_clipboard_copytexttoclipboard ("kept"), 0);

    EXPECT_EQ (bw_clipboard_copytexttoclipboard (""), -1);
    EXPECT_EQ (bw_clipboard_copytexttoclipboard (static_cast<const char*> (nullptr)), -1);
    EXPECT_EQ (bw_clipboard_copytexttoclipboard ("cut \xE2\x82"), -108);

    EXPECT_EQ (runXclip ({"-o"}), "kept");
    EXPECT_EQ (textFromClipboard(), "kept");
}
