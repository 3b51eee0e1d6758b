#include "CharacterSets.h"
#include "StringToLineAnalyser.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
juce::StringArray wordsOf (const StringToLineAnalyser& analyser, int line)
{
    return analyser.mp_lineWords[(size_t)line];
}
} // namespace

TEST (CharacterSets, PunctuationIsExactlyTheSeventeenCharacters)
{
    const juce::String expected = ",.\t\";:?=()+*\\/>][";
    ASSERT_EQ (expected.length(), 17);

    for (wchar_t c = 0; c < 0x3000; ++c)
        EXPECT_EQ (wordmap_charispunctuation (c), expected.containsChar ((juce::juce_wchar)c))
            << "code point " << (int)c;

    // Not punctuation: these stay inside words.
    for (const wchar_t c : {L'!', L'\'', L'-', L'<', L' ', L'\n', L'a', L'0'})
        EXPECT_FALSE (wordmap_charispunctuation (c));
}

TEST (CharacterSets, SeparatorsAreTheTwelveIdeaTextSeparatorsInOrder)
{
    EXPECT_STREQ (seps, " ,\t\n\r\";?).][");
    EXPECT_EQ (std::strlen (seps), sepsCount);
}

TEST (StringToLineAnalyser, CutsLinesAtLineFeedsAfterUnifyingLineBreaks)
{
    StringToLineAnalyser crlf;
    crlf.SetText ("a\r\nb\rc", false);
    EXPECT_EQ (crlf.m_lines, juce::StringArray ({"a", "b", "c"}));

    StringToLineAnalyser blankLine;
    blankLine.SetText ("one\n\ntwo", false);
    ASSERT_EQ (blankLine.m_lines.size(), 3);
    EXPECT_EQ (blankLine.m_lines[1], "");
    EXPECT_TRUE (wordsOf (blankLine, 1).isEmpty());
    EXPECT_EQ (wordsOf (blankLine, 2), juce::StringArray ({"two"}));

    StringToLineAnalyser trimmed;
    trimmed.SetText ("  first line \nlast  \n\n  ", false);
    EXPECT_EQ (trimmed.m_lines, juce::StringArray ({"first line ", "last"}));

    StringToLineAnalyser empty;
    empty.SetText ({}, false);
    EXPECT_EQ (empty.m_lines, juce::StringArray ({""}));
    EXPECT_TRUE (wordsOf (empty, 0).isEmpty());
    EXPECT_TRUE (wordsOf (empty, 1).isEmpty()); // the spare entry
}

TEST (StringToLineAnalyser, SplitsWordsAtWhiteSpaceAndPunctuationOnly)
{
    StringToLineAnalyser hello;
    hello.SetText ("  Hello, world!  ", false);
    EXPECT_EQ (wordsOf (hello, 0), juce::StringArray ({"Hello", "world!"}));

    StringToLineAnalyser joined;
    joined.SetText ("Hello,world and/or x <y> don't well-known (a+b)=c*d\\e;f:g\"h\"[i]", false);
    EXPECT_EQ (wordsOf (joined, 0), juce::StringArray ({"Hello", "world", "and", "or", "x", "<y", "don't", "well-known",
                                                        "a", "b", "c", "d", "e", "f", "g", "h", "i"}));

    StringToLineAnalyser tabs;
    tabs.SetText ("left\tright", false);
    EXPECT_EQ (wordsOf (tabs, 0), juce::StringArray ({"left", "right"}));

    StringToLineAnalyser onlyPunctuation;
    onlyPunctuation.SetText ("a\n, . ;\nb", false);
    ASSERT_EQ (onlyPunctuation.m_lines.size(), 3);
    EXPECT_TRUE (wordsOf (onlyPunctuation, 1).isEmpty());

    StringToLineAnalyser accented;
    accented.SetText (juce::String (juce::CharPointer_UTF8 ("caf\xc3\xa9 na\xc3\xafve")), false);
    EXPECT_EQ (wordsOf (accented, 0)[0], juce::String (juce::CharPointer_UTF8 ("caf\xc3\xa9")));
    EXPECT_EQ (wordsOf (accented, 0).size(), 2);
}

TEST (StringToLineAnalyser, StrippingRemovesPunctuationBeforeTheCut)
{
    StringToLineAnalyser stripped;
    stripped.SetText ("Hello,world\tand/or end.", true);
    EXPECT_EQ (stripped.m_lines, juce::StringArray ({"Helloworld andor end"}));
    EXPECT_EQ (wordsOf (stripped, 0), juce::StringArray ({"Helloworld", "andor", "end"}));

    // Trimmed again after stripping: no empty first or last line from leading or trailing punctuation.
    StringToLineAnalyser edges;
    edges.SetText ("\"quoted\" .\n", true);
    EXPECT_EQ (edges.m_lines, juce::StringArray ({"quoted"}));
}

TEST (StringToLineAnalyser, OutOfRangeLookupsGiveEmptyStrings)
{
    StringToLineAnalyser analyser;
    analyser.SetText ("one two\nthree", false);

    EXPECT_EQ (analyser.GetLineStringForLineIndex (1), "three");
    EXPECT_EQ (analyser.GetLineStringForLineIndex (2), "");
    EXPECT_EQ (analyser.GetLineStringForLineIndex (-1), "");
    EXPECT_EQ (analyser.GetWordStringForLineIndexWordIndex (0, 1), "two");
    EXPECT_EQ (analyser.GetWordStringForLineIndexWordIndex (0, 2), "");
    EXPECT_EQ (analyser.GetWordStringForLineIndexWordIndex (2, 0), "");
    EXPECT_EQ (analyser.GetWordStringForLineIndexWordIndex (7, 0), "");

    StringToLineAnalyser unused;
    EXPECT_EQ (unused.GetWordStringForLineIndexWordIndex (0, 0), "");
}
