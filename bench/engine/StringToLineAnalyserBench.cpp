// Time of StringToLineAnalyser::SetText on a large text file as it is imported: CR LF line ends, tabs, punctuation.
#include "StringToLineAnalyser.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace
{
const juce::String& textOfBytes (size_t size)
{
    static std::string cachedBytes;
    static juce::String cached;

    if (cachedBytes.size() != size)
    {
        const char* words[] = {"love",  "night,", "light.", "and/or", "caf\xc3\xa9",  "\"said\"", "don't", "(time)",
                               "river", "x<y",    "stone;", "rain?",  "w\xc3\xa9ird", "sky",      "heart", "[note]"};
        const char* gaps[] = {" ", " ", " ", "\t", "  ", "\r\n", " \r\n\r\n", "\r"};
        std::mt19937 random (5);
        cachedBytes.clear();

        while (cachedBytes.size() < size)
            cachedBytes.append (words[random() % std::size (words)]).append (gaps[random() % std::size (gaps)]);

        cachedBytes.resize (size);

        while (!cachedBytes.empty() && ((unsigned char)cachedBytes.back() & 0xc0) == 0x80)
            cachedBytes.pop_back(); // no cut multi-byte character at the end

        cached = juce::String::fromUTF8 (cachedBytes.data(), (int)cachedBytes.size());
    }

    return cached;
}

void runSetText (benchmark::State& state, bool stripPunctuation)
{
    const auto& text = textOfBytes ((size_t)state.range (0));

    for (auto _ : state)
    {
        StringToLineAnalyser analyser;
        analyser.SetText (text, stripPunctuation);
        benchmark::DoNotOptimize (analyser.m_lines.size());
    }

    state.SetBytesProcessed (state.iterations() * state.range (0));
}

void BM_SetText_Plain (benchmark::State& state)
{
    runSetText (state, false);
}

void BM_SetText_StripPunctuation (benchmark::State& state)
{
    runSetText (state, true);
}
} // namespace

BENCHMARK (BM_SetText_Plain)->Arg (1 << 20)->Arg (5 << 20)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_SetText_StripPunctuation)->Arg (1 << 20)->Arg (5 << 20)->Unit (benchmark::kMillisecond);
