// Saving, opening and importing large documents: a document of 10,000 history entries of 8 lines each plus 5 MB of
// idea text, and a 5 MB plain text file. Each runs at a quarter, half and the full size, so that the reported
// complexity shows whether the time grows linearly.
#include "quilletDocumentFile.h"

#include "my_bw_file.h"

#include <benchmark/benchmark.h>

namespace
{
const int fullHistoryEntries = 10000;
const size_t fullIdeaBytes = 5u * 1024u * 1024u;

// Song-like lines with the characters that must be escaped, from a fixed seed so every run writes the same bytes.
juce::String makeText (juce::Random& random, size_t numBytes, int wordsPerLine)
{
    static const char* const words[] = {"rain",  "heart",  "night",       "fire",  "\"home\"", "road",  "rock & roll",
                                        "don't", "<slow>", "caf\xc3\xa9", "river", "gold",     "light", "dream"};
    std::string text;
    text.reserve (numBytes + 64);

    while (text.size() < numBytes)
    {
        for (int w = 0; w < wordsPerLine; ++w)
        {
            text += words[random.nextInt ((int)std::size (words))];
            text += w + 1 < wordsPerLine ? " " : ",\n";
        }
    }

    return juce::String::fromUTF8 (text.data(), (int)text.size());
}

quilletDocumentFile::Content makeDocument (int percent)
{
    juce::Random random (42);
    quilletDocumentFile::Content content;
    const size_t ideaBytes = fullIdeaBytes * (size_t)percent / 100u;

    for (int i = 0; i < 3; ++i)
        content.ideaTexts[i] = makeText (random, ideaBytes / 3, 7);

    for (int k = 0; k < fullHistoryEntries * percent / 100; ++k)
    {
        juce::String entry;
        for (int line = 0; line < 8; ++line)
            entry << makeText (random, 1, 4 + (line % 2));
        content.history.add (entry);
    }

    content.rules.add ("4 4 4 4");
    content.rules.add ("4 5 4 5");
    content.lyricText = content.history[0];
    return content;
}

juce::File benchFile (const char* name)
{
    return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile (name);
}

void saveDocument (benchmark::State& state)
{
    const auto content = makeDocument ((int)state.range (0));
    const auto file = benchFile ("bench_document_save.quillet");
    size_t bytes = 0;

    for (auto _ : state)
    {
        const std::string written = quilletDocumentFile::Write (content);
        std::unique_ptr<MySafeFileOutputStream> stream (MyOpenFileForWriting (file.getFullPathName()));

        if (stream == nullptr || !stream->write (written.data(), written.size()) || !stream->Commit())
            state.SkipWithError ("the document could not be written");

        bytes = written.size();
    }

    state.SetBytesProcessed ((int64_t)(bytes * (size_t)state.iterations()));
    state.SetComplexityN ((int64_t)bytes);
    file.deleteFile();
}

void openDocument (benchmark::State& state)
{
    const auto file = benchFile ("bench_document_open.quillet");
    const std::string written = quilletDocumentFile::Write (makeDocument ((int)state.range (0)));
    file.replaceWithData (written.data(), written.size());
    int entries = 0;

    for (auto _ : state)
    {
        MyFileReader reader;

        if (!reader.OpenFromPath (file.getFullPathName()))
            state.SkipWithError ("the document could not be read");

        quilletDocumentFile::Content content;
        quilletDocumentFile::Read (reader.m_data, reader.m_size, content);
        entries = content.history.size();
    }

    state.counters["history"] = entries;
    state.SetBytesProcessed ((int64_t)(written.size() * (size_t)state.iterations()));
    state.SetComplexityN ((int64_t)written.size());
    file.deleteFile();
}

void importTextFile (benchmark::State& state)
{
    juce::Random random (7);
    std::string text;

    // Paragraphs of four lines parted by blank lines, as notes usually are.
    while (text.size() < fullIdeaBytes * (size_t)state.range (0) / 100u)
        text += makeText (random, 120, 6).toStdString() + "\n";

    const auto file = benchFile ("bench_document_import.txt");
    file.replaceWithData (text.data(), text.size());
    int paragraphs = 0;

    for (auto _ : state)
    {
        juce::MemoryBlock bytes;
        file.loadFileAsData (bytes);
        const auto imported = quilletDocumentFile::SplitImportedText (
            quilletDocumentFile::StringFromTextFileBytes (bytes.getData(), bytes.getSize()));
        paragraphs = imported.paragraphs.size();
    }

    state.counters["paragraphs"] = paragraphs;
    state.SetBytesProcessed ((int64_t)(text.size() * (size_t)state.iterations()));
    state.SetComplexityN ((int64_t)text.size());
    file.deleteFile();
}
} // namespace

BENCHMARK (saveDocument)->Arg (25)->Arg (50)->Arg (100)->Unit (benchmark::kMillisecond)->Complexity (benchmark::oN);
BENCHMARK (openDocument)->Arg (25)->Arg (50)->Arg (100)->Unit (benchmark::kMillisecond)->Complexity (benchmark::oN);
BENCHMARK (importTextFile)->Arg (25)->Arg (50)->Arg (100)->Unit (benchmark::kMillisecond)->Complexity (benchmark::oN);
