#include "Quillet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
// Runs one generation and hands back the text (empty string for null) and whether it was null.
std::string generate (Quillet& engine, const juce::String& idea1, const juce::String& idea2 = {},
                      const juce::String& idea3 = {}, bool* wasNull = nullptr)
{
    char* text = engine.GenerateLyrics (idea1, idea2, idea3);

    if (wasNull != nullptr)
        *wasNull = text == nullptr;

    std::string result = text != nullptr ? text : "";
    std::free (text);
    return result;
}
} // namespace

TEST (Generation, OneWordPoolFillsEveryPositionAndCapitalisesLineStarts)
{
    Quillet engine;
    engine.m_wordMap.SetLineCount (2);
    EXPECT_EQ (generate (engine, "love"), "Love love love love,\nLove love love love.\n");
    EXPECT_EQ (engine.m_wordMap.m_lineCount, 2);
    EXPECT_EQ (engine.m_wordMap.m_totalWordCount, 8);
    EXPECT_EQ (engine.m_wordMap.GetWordAtXY (1, 0)->m_text, "Love");
}
