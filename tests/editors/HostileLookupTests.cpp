// A look-up of a hostile word goes through the real browser launcher: the
// opener must receive the percent-encoded address as its one argument, and no
// part of the word may ever run as a command.
#include "EditorTestSupport.h"
#include "LookupAddresses.h"
#include "ModalDialogs.h"
#include "ProductSite.h"
#include "lyricTextEditor.h"

#include <cstdlib>

using namespace editortest;

namespace
{
// A recording stand-in for xdg-open, first on PATH; the test runs in the
// same folder, so a command that slipped through would create its files there.
struct RecordingOpener : public ::testing::Test
{
    TempFolder temp;
    juce::File previousDirectory = juce::File::getCurrentWorkingDirectory();
    juce::String previousPath = juce::SystemStats::getEnvironmentVariable ("PATH", {});
    FrameworkModalDialogs realDialogs;

    void SetUp() override
    {
        const auto script = temp.folder.getChildFile ("xdg-open");
        ASSERT_TRUE (script.replaceWithText ("#!/bin/sh\n"
                                             "dir=$(dirname \"$0\")\n"
                                             "echo run >> \"$dir/runs\"\n"
                                             "i=0\n"
                                             "for arg in \"$@\"; do\n"
                                             "    i=$((i + 1))\n"
                                             "    printf '%s' \"$arg\" > \"$dir/arg$i\"\n"
                                             "done\n"
                                             "printf '%s' \"$#\" > \"$dir/argc.part\"\n"
                                             "mv \"$dir/argc.part\" \"$dir/argc\"\n",
                                             false, false, "\n")); // a "\r" would break the #! line
        ASSERT_TRUE (script.setExecutePermission (true));

        setenv ("PATH", (temp.folder.getFullPathName() + ":" + previousPath).toRawUTF8(), 1);
        temp.folder.setAsCurrentWorkingDirectory();
        ModalDialogs::install (&realDialogs);
    }

    void TearDown() override
    {
        ModalDialogs::install (nullptr);
        previousDirectory.setAsCurrentWorkingDirectory();
        setenv ("PATH", previousPath.toRawUTF8(), 1);
    }

    // Waits (at most 10 s) until the stand-in has written its argument count.
    bool waitForOpener()
    {
        const auto argc = temp.folder.getChildFile ("argc");
        const auto deadline = juce::Time::getMillisecondCounter() + 10000;
        while (!argc.existsAsFile() && juce::Time::getMillisecondCounter() < deadline)
            juce::Thread::sleep (10);
        return argc.existsAsFile();
    }

    juce::String recorded (const juce::String& name) { return temp.folder.getChildFile (name).loadFileAsString(); }

    void expectOneRunWith (const juce::String& address)
    {
        ASSERT_TRUE (waitForOpener());
        EXPECT_EQ (recorded ("argc"), "1");
        EXPECT_EQ (recorded ("arg1"), address);
        EXPECT_EQ (recorded ("runs"), "run\n");
        EXPECT_FALSE (temp.folder.getChildFile ("x").exists());
        EXPECT_FALSE (temp.folder.getChildFile ("y").exists());
    }
};
} // namespace

TEST_F (RecordingOpener, HostileLyricWordChosenFromTheThesaurusItem)
{
    // Backquotes, $, braces, a quote, a pipe, & and non-ASCII: none of them
    // separates words in the lyric, so this is one word of the lyric.
    const juce::String word (juce::CharPointer_UTF8 ("`touch${IFS}x``touch${IFS}y`'\xc3\xa9!&|<$HOME"));

    Quillet engine;
    WorkspaceStandIn workspace;
    lyricTextEditor editor ("LyricsTextEditor", 0);
    editor.setMultiLine (true);
    editor.setSize (900, 200);
    editor.SetQuillet (&engine);
    editor.SetQuilletComponent (&workspace);
    engine.SetString ("sing " + word + " loud");
    editor.SetTextFromWordMap();
    ASSERT_EQ (engine.m_wordMap.GetWordAtXY (0, 1)->m_text, word);

    juce::PopupMenu menu;
    const auto click = rightClickAt (editor, pointOnCharacter (editor, 8));
    editor.addPopupMenuItems (menu, &click);
    ASSERT_EQ (describe (menu)[1], "2:Thesaurus - " + word);
    editor.performPopupMenuAction (2);

    expectOneRunWith (quillet::getProductPageAddress ("/tools/quillet/thesaurus.html") +
                      "#https://www.thesaurus.com/browse/"
                      "%60touch%24%7BIFS%7Dx%60%60touch%24%7BIFS%7Dy%60%27%C3%A9%21%26%7C%3C%24HOME");
}

TEST_F (RecordingOpener, HostileSearchWithBlanksSemicolonsAndSubshells)
{
    const juce::String query (juce::CharPointer_UTF8 ("`touch${IFS}x`$(touch${IFS}y);'\"\xc3\xa9 a;b"));
    ModalDialogs::get().openAddress (LookupAddresses::ForSearch (query));

    expectOneRunWith (quillet::getProductPageAddress ("/tools/quillet/search.html") +
                      "#https://www.google.com/search?hl=en&lr=&as_qdr=all&q="
                      "%60touch%24%7BIFS%7Dx%60%24%28touch%24%7BIFS%7Dy%29%3B%27%22%C3%A9%20a%3Bb&btnG=Search");
}
