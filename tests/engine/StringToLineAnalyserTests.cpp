#include "CharacterSets.h"
#include "StringToLineAnalyser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace
{
using Analysis = std::pair<std::string, std::string>;

// Every line followed by a line feed, and every line's words joined by blanks and followed by a line feed.
Analysis analyse (const juce::String& text, bool strip)
{
    StringToLineAnalyser analyser;
    analyser.SetText (text, strip);
    EXPECT_TRUE (analyser.mp_lineWords[(size_t)analyser.m_lines.size()].isEmpty()); // the spare entry
    Analysis result;

    for (int i = 0; i < analyser.m_lines.size(); ++i)
    {
        result.first += analyser.m_lines[i].toStdString() + "\n";
        result.second += analyser.mp_lineWords[(size_t)i].joinIntoString (" ").toStdString() + "\n";
    }

    return result;
}

// The same step by step on code points, literally as described, and fast enough for megabytes.
Analysis analyseByReference (const juce::String& text, bool strip)
{
    auto isBlank = [] (char32_t c) { return juce::CharacterFunctions::isWhitespace ((juce::juce_wchar)c); };
    auto isPunctuation = [] (char32_t c) { return wordmap_charispunctuation ((wchar_t)c); };
    auto trim = [&] (std::u32string s)
    {
        s.erase (std::find_if_not (s.rbegin(), s.rend(), isBlank).base(), s.end());
        return s.substr ((size_t)(std::find_if_not (s.begin(), s.end(), isBlank) - s.begin()));
    };
    std::u32string t, lines, words;

    for (auto p = text.getCharPointer(); !p.isEmpty();)
    {
        const auto c = (char32_t)p.getAndAdvance();
        if (c == '\r' && *p == '\n')
            ++p;
        t += c == '\r' ? U'\n' : (c == '\t' && strip ? U' ' : c);
    }

    t = trim (t);

    if (strip)
    {
        t.erase (std::remove_if (t.begin(), t.end(), isPunctuation), t.end());
        t = trim (t);
    }

    for (const char32_t c : t + U'\n')
    {
        const bool inWord = !isBlank (c) && !isPunctuation (c) && c != '\n' && c != '\r';
        lines += c;

        if (c == '\n' && !words.empty() && words.back() == ' ')
            words.pop_back();
        if (inWord || c == '\n')
            words += c;
        else if (!words.empty() && words.back() != ' ' && words.back() != '\n')
            words += U' ';
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
    const std::tuple<const char*, bool, const char*, const char*> cases[] = {
        {"", false, "\n", "\n"}, // one empty line
        {"a\r\nb\rc", false, "a\nb\nc\n", "a\nb\nc\n"},
        {"one\n, . ;\n\ntwo", false, "one\n, . ;\n\ntwo\n", "one\n\n\ntwo\n"},
        {"  first line \nlast  \n\n  ", false, "first line \nlast\n", "first line\nlast\n"},
        {"  Hello, caf\xc3\xa9!  ", false, "Hello, caf\xc3\xa9!\n", "Hello caf\xc3\xa9!\n"},
        {"Hello,world and/or x <y> don't well-known\t(a+b)=c*d\\e;f:g\"h\"[i]", false,
         "Hello,world and/or x <y> don't well-known\t(a+b)=c*d\\e;f:g\"h\"[i]\n",
         "Hello world and or x <y don't well-known a b c d e f g h i\n"},
        {"Hello,world\tand/or end.", true, "Helloworld andor end\n", "Helloworld andor end\n"},
        {"\"quoted\" .\n", true, "quoted\n", "quoted\n"}, // trimmed again after stripping
        {"\r\n\r\n  first line, here.  \r\n\tsecond\r\rthird\n\n", true, "first line here  \n second\n\nthird\n",
         "first line here\nsecond\n\nthird\n"},
    };

    for (const auto& [text, strip, lines, words] : cases)
        EXPECT_EQ (analyse (juce::String::fromUTF8 (text), strip), Analysis (lines, words)) << text;

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
    // About 2 MB of words, punctuation, non-ASCII letters and blanks, CR LF, lone CR and tabs.
    const char* pieces[] = {"love", "night,", "and/or", "caf\xc3\xa9", "\"said\"", "x<y", "(a+b)=c",      " ", " ",
                            "\t",   "\r\n",   "\r",     "\n",          "\r\r\n",   ". ",  "\xe3\x80\x80", "!"};
    std::mt19937 random (3);
    std::string big = " \t\r\n.";

    while (big.size() < 2'000'000)
        big += pieces[random() % std::size (pieces)];

    for (const std::string& text :
         {std::string (" \t \r\n "), std::string (" . dot\n( ) \n x <y> [z] a=b+c*d\\e:f;g?h\n.\t.\n"),
          std::string ("na\xc3\xafve \xe2\x80\x94 don't!\r\n\xe3\x80\x80wide\xe3\x80\x80"), big + "\r\n\t ."})
        for (const bool strip : {true, false})
            EXPECT_TRUE (analyse (juce::String::fromUTF8 (text.c_str()), strip) ==
                         analyseByReference (juce::String::fromUTF8 (text.c_str()), strip))
                << "strip " << strip << ": " << text.substr (0, 40);
}
