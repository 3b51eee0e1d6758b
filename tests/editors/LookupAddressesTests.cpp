// The look-up addresses: their fixed parts, percent-encoding, the byte limit,
// and a hostile word going through the real browser launcher.
#include "EditorTestSupport.h"

#include <cstdlib>

using namespace editortest;
using namespace LookupAddresses;

TEST (LookupAddresses, TheQueryFormsEncodeEverythingButUnreservedCharacters)
{
    const auto page = [] (const char* path) { return quillet::getProductPageAddress (path); };
    EXPECT_EQ (ForThesaurus ("love"),
               page ("/tools/quillet/thesaurus.html") + "#https://www.thesaurus.com/browse/love");
    EXPECT_EQ (ForDictionary ("love"),
               page ("/tools/quillet/dictionary.html") + "#https://www.dictionary.com/browse/love");
    EXPECT_EQ (ForSearch ("love"), searchAddress ("love"));
    EXPECT_EQ (ForProductHome(), page ("/tools/quillet/doc/index.html"));

    EXPECT_EQ (PercentEncode ("AZaz09-._~ +&=#?/%\\"), "AZaz09-._~%20%2B%26%3D%23%3F%2F%25%5C");
    EXPECT_EQ (ForSearch (juce::CharPointer_UTF8 ("\xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\xb5&")),
               searchAddress ("%C3%A9%E2%82%AC%F0%9F%8E%B5%26"));
    EXPECT_EQ (ForAllWordsSearch ("  4 u2 ..x, rain!  "), searchAddress ("4+u2+x+rain"));
    EXPECT_EQ (ForAllWordsSearch ("..."), searchAddress (""));
}

TEST (LookupAddresses, TooLongWordsAndQueriesAreCutBetweenCharacters)
{
    const juce::String accent (juce::CharPointer_UTF8 ("\xc3\xa9"));
    const auto base = ForThesaurus ({});

    // "xxx" then many "é" (6 bytes encoded each), so that the limit falls at each byte of an escape in turn.
    for (int extra = 0; extra < 6; ++extra)
    {
        const auto word = juce::String::repeatedString ("x", extra) + juce::String::repeatedString (accent, 2000);
        const auto address = ForThesaurus (word);
        EXPECT_LE ((int)address.getNumBytesAsUTF8(), maxAddressBytes);
        EXPECT_GT ((int)address.getNumBytesAsUTF8(), maxAddressBytes - 6);
        ASSERT_TRUE (address.startsWith (base));
        const auto kept = address.substring (base.length());
        EXPECT_TRUE (PercentEncode (word).startsWith (kept));
        EXPECT_EQ ((kept.length() - extra) % 6, 0) << "cut inside an escape with " << extra << " extra letters";
    }

    const auto query = ForAllWordsSearch (juce::String::repeatedString ("ab ", 3000));
    EXPECT_LE ((int)query.getNumBytesAsUTF8(), maxAddressBytes);
    EXPECT_GT ((int)query.getNumBytesAsUTF8(), maxAddressBytes - 4);
    EXPECT_FALSE (query.contains ("+&btnG")) << "no dangling +";
    EXPECT_EQ ((int)ForSearch (juce::String::repeatedString ("w", 9000)).getNumBytesAsUTF8(), maxAddressBytes);
}

// A recording stand-in for xdg-open, first on PATH, run with the test's folder as the current one: a part of
// the word that ran as a command would create the files x or y there.
struct LookupThroughTheLauncher : public EditorFixture
{
    juce::File previousDirectory = juce::File::getCurrentWorkingDirectory();
    juce::String previousPath = juce::SystemStats::getEnvironmentVariable ("PATH", {});
    FrameworkModalDialogs realDialogs;

    void SetUp() override
    {
        const auto script = folder.getChildFile ("xdg-open");
        // Every run appends "argument count [first argument]" to a log, which is then copied whole into "runs".
        ASSERT_TRUE (
            script.replaceWithText ("#!/bin/sh\ncd \"$(dirname \"$0\")\" || exit 1\n"
                                    "printf '%s [%s]\\n' \"$#\" \"$1\" >> log; cp log runs.part; mv runs.part runs\n",
                                    false, false, "\n"));
        ASSERT_TRUE (script.setExecutePermission (true));
        setenv ("PATH", (folder.getFullPathName() + ":" + previousPath).toRawUTF8(), 1);
        folder.setAsCurrentWorkingDirectory();
        ModalDialogs::install (&realDialogs);
    }

    void TearDown() override
    {
        ModalDialogs::install (nullptr);
        previousDirectory.setAsCurrentWorkingDirectory();
        setenv ("PATH", previousPath.toRawUTF8(), 1);
    }

    /** What the opener logged, once it has run (waiting at most 10 s), then "x" or "y" for each of those files
        that a command created; removes them all for the next look-up. */
    juce::String takeRecord()
    {
        const auto runs = folder.getChildFile ("runs");
        for (int i = 0; i < 1000 && !runs.existsAsFile(); ++i)
            juce::Thread::sleep (10);
        auto record = runs.loadFileAsString();
        for (auto name : {"x", "y"})
            record << (folder.getChildFile (name).existsAsFile() ? name : "");
        for (auto name : {"x", "y", "runs", "log"})
            folder.getChildFile (name).deleteFile();
        return record;
    }
};

TEST_F (LookupThroughTheLauncher, AHostileWordIsOneEncodedArgumentAndNothingOfItRuns)
{
    // Backquotes, $, braces, a quote, a pipe, & and non-ASCII do not separate lyric words: this is one word.
    const juce::String word (juce::CharPointer_UTF8 ("`touch${IFS}x``touch${IFS}y`'\xc3\xa9!&|<$HOME"));
    show ("sing " + word + " loud");
    ASSERT_EQ (describe (menuAt (lyric, 8))[1], "2:Thesaurus - " + word);
    lyric.performPopupMenuAction (lyricTextEditor::thesaurusId);
    EXPECT_EQ (takeRecord(), "1 [" + quillet::getProductPageAddress ("/tools/quillet/thesaurus.html") +
                                 "#https://www.thesaurus.com/browse/"
                                 "%60touch%24%7BIFS%7Dx%60%60touch%24%7BIFS%7Dy%60%27%C3%A9%21%26%7C%3C%24HOME]\n");

    // Blanks, semicolons and a sub-shell in a search.
    ModalDialogs::get().openAddress (
        ForSearch (juce::CharPointer_UTF8 ("`touch${IFS}x`$(touch${IFS}y);'\"\xc3\xa9 a;b")));
    EXPECT_EQ (takeRecord(),
               "1 [" + searchAddress ("%60touch%24%7BIFS%7Dx%60%24%28touch%24%7BIFS%7Dy%29%3B%27%22%C3%A9%20a%3Bb") +
                   "]\n");
}
