#include "CharacterSets.h"
#include "StringToLineAnalyser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace
{
// The analysis as text: every line ended by a line feed, and the words of every line joined by blanks, each line
// ended by a line feed (no line or word holds a line feed).
struct Analysis
{
    std::string lines, words;
    bool operator== (const Analysis& other) const { return lines == other.lines && words == other.words; }
};

Analysis analyse (const juce::String& text, bool strip)
{
    StringToLineAnalyser analyser;
    analyser.SetText (text, strip);
    EXPECT_TRUE (analyser.mp_lineWords[(size_t)analyser.m_lines.size()].isEmpty()); // the spare entry
    Analysis result;

    for (int i = 0; i < analyser.m_lines.size(); ++i)
    {
        result.lines += analyser.m_lines[i].toStdString() + "\n";
        result.words += analyser.mp_lineWords[(size_t)i].joinIntoString (" ").toStdString() + "\n";
    }

    return result;
}

// The same analysis step by step on code points, literally as described, fast enough for megabytes.
Analysis analyseByReference (const juce::String& text, bool strip)
{
    auto isBlank = [] (char32_t c) { return juce::CharacterFunctions::isWhitespace ((juce::juce_wchar)c); };
    auto trim = [&] (std::u32string& s)
    {
        while (!s.empty() && isBlank (s.back()))
            s.pop_back();
        s.erase (0, (size_t)(std::find_if_not (s.begin(), s.end(), isBlank) - s.begin()));
    };
    std::u32string t, lines, words;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        auto c = (char32_t)p.getAndAdvance();
        if (c == '\r' && *p == '\n')
            ++p;
        t += c == '\r' ? U'\n' : (c == '\t' && strip ? U' ' : c);
    }

    trim (t);

    if (strip)
    {
        t.erase (
            std::remove_if (t.begin(), t.end(), [] (char32_t c) { return wordmap_charispunctuation ((wchar_t)c); }),
            t.end());
        trim (t);
    }

    bool inWord = false, lineHasWord = false;

    for (const char32_t c : t + U'\n')
    {
        lines += c;
        const bool wordCharacter = !isBlank (c) && !wordmap_charispunctuation ((wchar_t)c) && c != '\n' && c != '\r';

        if (wordCharacter && !inWord && lineHasWord)
            words += U' ';
        if (wordCharacter)
            words += c;
        if (c == '\n')
            words += c;

        lineHasWord = c != '\n' && (lineHasWord || wordCharacter);
        inWord = wordCharacter;
    }

    auto utf8 = [] (const std::u32string& s)
    { return juce::String (juce::CharPointer_UTF32 ((const juce::juce_wchar*)s.c_str())).toStdString(); };
    return {utf8 (lines), utf8 (words)};
}
} // namespace

TEST (CharacterSets, PunctuationAndSeparatorsAreExactlyTheirCharacters)
{
    const juce::String punctuation = ",.\t\";:?=()+*\\/>][";
    ASSERT_EQ (punctuation.length(), 17);

    // Not in it: ! ' - < blank LF, letters and digits, which therefore stay inside words.
    for (wchar_t c = 0; c < 0x3000; ++c)
        EXPECT_EQ (wordmap_charispunctuation (c), punctuation.containsChar ((juce::juce_wchar)c)) << (int)c;

    EXPECT_STREQ (seps, " ,\t\n\r\";?).][");
    EXPECT_EQ (std::strlen (seps), sepsCount);
}

TEST (StringToLineAnalyser, CutsLinesAndWords)
{
    struct Case
    {
        const char* text;
        bool strip;
        const char* lines;
        const char* words;
    };

    const Case cases[] = {
        {"", false, "\n", "\n"}, // one empty line
        {"a\r\nb\rc", false, "a\nb\nc\n", "a\nb\nc\n"},
        {"one\n\ntwo", false, "one\n\ntwo\n", "one\n\ntwo\n"},
        {"  first line \nlast  \n\n  ", false, "first line \nlast\n", "first line\nlast\n"},
        {"  Hello, world!  ", false, "Hello, world!\n", "Hello world!\n"},
        {"Hello,world and/or x <y> don't well-known (a+b)=c*d\\e;f:g\"h\"[i]", false,
         "Hello,world and/or x <y> don't well-known (a+b)=c*d\\e;f:g\"h\"[i]\n",
         "Hello world and or x <y don't well-known a b c d e f g h i\n"},
        {"left\tright", false, "left\tright\n", "left right\n"},
        {"a\n, . ;\nb", false, "a\n, . ;\nb\n", "a\n\nb\n"},
        {"caf\xc3\xa9 na\xc3\xafve", false, "caf\xc3\xa9 na\xc3\xafve\n", "caf\xc3\xa9 na\xc3\xafve\n"},
        {"Hello,world\tand/or end.", true, "Helloworld andor end\n", "Helloworld andor end\n"},
        {"\"quoted\" .\n", true, "quoted\n", "quoted\n"}, // trimmed again after stripping
        {"\r\n\r\n  first line, here.  \r\n\tsecond\r\rthird\n\n", true, "first line here  \n second\n\nthird\n",
         "first line here\nsecond\n\nthird\n"},
    };

    for (const auto& c : cases)
    {
        const auto found = analyse (juce::String::fromUTF8 (c.text), c.strip);
        EXPECT_EQ (found.lines, c.lines) << c.text;
        EXPECT_EQ (found.words, c.words) << c.text;
    }

    StringToLineAnalyser analyser;
    EXPECT_EQ (analyser.GetWordStringForLineIndexWordIndex (0, 0), ""); // nothing analysed yet
    analyser.SetText ("one two\nthree", false);
    EXPECT_EQ (analyser.GetLineStringForLineIndex (1), "three");
    EXPECT_EQ (analyser.GetWordStringForLineIndexWordIndex (0, 1), "two");

    EXPECT_EQ (analyser.GetLineStringForLineIndex (2) + analyser.GetLineStringForLineIndex (-1), "");
    const std::pair<int, int> outside[] = {{0, 2}, {2, 0}, {7, 0}, {-1, 0}};

    for (const auto& [line, word] : outside)
        EXPECT_EQ (analyser.GetWordStringForLineIndexWordIndex (line, word), "") << line << " " << word;
}

TEST (StringToLineAnalyser, LargeAndUnusualTextsGiveTheStepByStepResult)
{
    std::vector<juce::String> texts;

    for (const char* text : {" \t \r\n ", " . leading dot\n( ) \n x <y> [z] a=b+c*d\\e:f;g?h\n.\t.\n",
                             "caf\xc3\xa9, na\xc3\xafve \xe2\x80\x94 don't!\r\n\xe3\x80\x80wide space\xe3\x80\x80"})
        texts.push_back (juce::String::fromUTF8 (text));

    // About 2 MB of words, punctuation, non-ASCII letters and blanks, CR LF, lone CR and tabs.
    const char* pieces[] = {"love", "night,", "and/or", "caf\xc3\xa9", "\"said\"", "x<y", "(a+b)=c",      " ", " ",
                            "\t",   "\r\n",   "\r",     "\n",          "\r\r\n",   ". ",  "\xe3\x80\x80", "!"};
    std::mt19937 random (3);
    std::string big = " \t\r\n.";

    while (big.size() < 2'000'000)
        big += pieces[random() % std::size (pieces)];

    texts.push_back (juce::String::fromUTF8 ((big + "\r\n\t .").c_str()));

    for (const auto& text : texts)
        for (const bool strip : {true, false})
            EXPECT_TRUE (analyse (text, strip) == analyseByReference (text, strip))
                << "strip " << strip << ": " << text.substring (0, 40);
}
