// Open, save and import through a real workspace (offscreen, under Xvfb), on top of the file format's own cost: a
// document of 10,000 history entries of 8 lines each plus 5 MB of idea text, and a 5 MB plain text file. The time
// covers filling the controls, not their first paint.
#include "quilletComponent.h"

#include "SimpleTextListBox.h"
#include "quilletDocumentHost.h"
#include "searchableTextEditor.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace
{
class BenchPanel : public juce::MultiDocumentPanel
{
public:
    void tryToCloseDocumentAsync (juce::Component*, std::function<void (bool)> callback) override { callback (true); }
};

struct BenchWindow : public quilletDocumentHost
{
    BenchWindow() { quilletComponent::SetMainWindow (this); }
    ~BenchWindow() override
    {
        panel.closeAllDocuments (false);
        quilletComponent::SetMainWindow (nullptr);
    }

    juce::RecentlyOpenedFilesList& GetRecentFiles() override { return recent; }
    juce::MultiDocumentPanel* GetDocumentPanel() override { return &panel; }

    juce::RecentlyOpenedFilesList recent;
    BenchPanel panel;
};

juce::File benchFile (const char* name)
{
    return juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile (name);
}

juce::String songLines (juce::Random& random, size_t numBytes)
{
    static const char* const words[] = {"rain", "heart", "night", "fire", "\"home\"", "road", "rock & roll", "don't"};
    std::string text;

    while (text.size() < numBytes)
    {
        for (int w = 0; w < 5; ++w)
            text += std::string (words[random.nextInt ((int)std::size (words))]) + (w < 4 ? " " : ",\n");
    }

    return juce::String::fromUTF8 (text.data(), (int)text.size());
}

// A workspace holding the benchmark's document, at `percent` of its full size.
std::unique_ptr<quilletComponent> makeFilledWorkspace (int percent)
{
    juce::Random random (42);
    auto ws = std::make_unique<quilletComponent>();
    const size_t ideaBytes = 5u * 1024u * 1024u * (size_t)percent / 100u;

    ws->ideaEditor1->setText (songLines (random, ideaBytes / 3));
    ws->ideaEditor2->setText (songLines (random, ideaBytes / 3));
    ws->ideaEditor3->setText (songLines (random, ideaBytes / 3));

    for (int k = 0; k < 10000 * percent / 100; ++k)
        ws->historyListBox->m_items.add (songLines (random, 8 * 28));

    ws->historyListBox->updateContent();
    return ws;
}

void saveWorkspace (benchmark::State& state)
{
    BenchWindow window;
    auto ws = makeFilledWorkspace ((int)state.range (0));
    const auto file = benchFile ("bench_workspace_save.quillet");

    for (auto _ : state)
        if (ws->saveDocument (file).failed())
            state.SkipWithError ("the document could not be written");

    state.SetComplexityN (file.getSize());
    file.deleteFile();
}

void openWorkspace (benchmark::State& state)
{
    BenchWindow window;
    const auto file = benchFile ("bench_workspace_open.quillet");
    makeFilledWorkspace ((int)state.range (0))->saveDocument (file);

    for (auto _ : state)
    {
        auto* ws = new quilletComponent();

        if (!ws->DoFileOpenPath (file))
        {
            delete ws;
            state.SkipWithError ("the document could not be opened");
            break;
        }

        state.PauseTiming();
        window.panel.closeDocument (ws, false);
        state.ResumeTiming();
    }

    state.SetComplexityN (file.getSize());
    file.deleteFile();
}

void importIntoWorkspace (benchmark::State& state)
{
    BenchWindow window;
    juce::Random random (7);
    std::string text;

    while (text.size() < 5u * 1024u * 1024u * (size_t)state.range (0) / 100u)
        text += songLines (random, 120).toStdString() + "\n";

    const auto file = benchFile ("bench_workspace_import.txt");
    file.replaceWithData (text.data(), text.size());

    for (auto _ : state)
    {
        auto* ws = new quilletComponent();

        if (!ws->DoFileOpenPath (file))
        {
            delete ws;
            state.SkipWithError ("the text file could not be imported");
            break;
        }

        state.PauseTiming();
        window.panel.closeDocument (ws, false);
        state.ResumeTiming();
    }

    state.SetComplexityN ((int64_t)text.size());
    file.deleteFile();
}
} // namespace

BENCHMARK (saveWorkspace)->Arg (25)->Arg (50)->Arg (100)->Unit (benchmark::kMillisecond)->Complexity (benchmark::oN);
BENCHMARK (openWorkspace)->Arg (25)->Arg (50)->Arg (100)->Unit (benchmark::kMillisecond)->Complexity (benchmark::oN);
BENCHMARK (importIntoWorkspace)
    ->Arg (25)
    ->Arg (50)
    ->Arg (100)
    ->Unit (benchmark::kMillisecond)
    ->Complexity (benchmark::oN);

// The workspace needs the framework's GUI side, and that needs a display (run under xvfb-run).
int main (int argc, char** argv)
{
    if (std::getenv ("DISPLAY") == nullptr)
    {
        std::fprintf (stderr, "bench_document_workspace needs a display: run it under xvfb-run.\n");
        return 0;
    }

    juce::ScopedJuceInitialiser_GUI gui;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    juce::DeletedAtShutdown::deleteAll();
    return 0;
}
