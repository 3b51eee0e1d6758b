// The main window: new documents, the folder where file dialogs start, its size limit, the properties file with the
// recent-files list, and the paths that later launches hand over.
#include "AppTestSupport.h"

#include "quilletPropertiesFile.h"

#include <sys/resource.h>

#include <csignal>

using namespace app_test;
using MainWindowTest = AppTest;

TEST_F (MainWindowTest, NewDocumentsAreUntitledInTheFolderOfTheMostRecentDocumentThatExists)
{
    auto window = makeWindow();
    EXPECT_EQ (quilletComponent::mp_quillet_Window, window.get());
    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 1);
    auto* untitled = documentAt (*window, 0);
    EXPECT_EQ (window->mp_documentPanel->getActiveDocument(), untitled);
    EXPECT_EQ (untitled->getName(), "Untitled");
    EXPECT_EQ (untitled->getDocumentTitle(), "Untitled");
    EXPECT_EQ (untitled->getFile(), productFolder().getChildFile ("untitled.quillet"));
    EXPECT_FALSE (untitled->hasChangedSinceSaved());

    const auto older = makeFile (utf8 ("a/ünïcode folder/older.quillet"));
    const auto newer = makeFile ("b/newer.quillet");
    window->m_recentFiles.addFile (older);
    window->m_recentFiles.addFile (newer);
    EXPECT_EQ (window->GetBestFolderToOpen(), newer.getParentDirectory());

    // A vanished most recent file is dropped and the next one counts.
    newer.deleteFile();
    window->GetContentComp()->DoFileNew();
    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 2);
    EXPECT_EQ (documentAt (*window, 1)->getFile(), older.getParentDirectory().getChildFile ("untitled.quillet"));
    EXPECT_EQ (window->mp_documentPanel->getActiveDocument(), documentAt (*window, 1));
    EXPECT_EQ (window->m_recentFiles.getNumFiles(), 1);

    older.deleteFile();
    EXPECT_EQ (window->GetBestFolderToOpen(), productFolder());
    productFolder().deleteRecursively();
    EXPECT_EQ (window->GetBestFolderToOpen(), home.getChildFile ("Documents"));

    // The first size fixes the minimum at half its width and two thirds of its height; later sizes do not move it.
    for (int i = 0; i < 2; ++i)
    {
        window->setBoundsConstrained ({10, 10, 100, 100});
        EXPECT_EQ (juce::Point<int> (window->getWidth(), window->getHeight()), juce::Point<int> (417, 390));
        window->setSize (1200, 900);
    }
    window.reset();
    EXPECT_EQ (quilletComponent::mp_quillet_Window, nullptr);
}

TEST_F (MainWindowTest, PropertiesFileGivesTheRecentListWithoutVanishedFilesAndGetsItBack)
{
    const auto accented = makeFile (utf8 ("Liedtexte/Grüße aus Köln – ♪.quillet")).getFullPathName();
    const auto japanese = makeFile (utf8 ("歌詞/夜の歌.quillet")).getFullPathName();
    const auto marks = makeFile (utf8 ("songs/🎸 & <quotes> \"x\" 'y'.quillet")).getFullPathName();
    const auto vanished = root.getChildFile ("vanished.quillet").getFullPathName();
    const auto mru = [] (const juce::StringArray& paths)
    {
        juce::XmlElement xml ("quillet");
        xml.createNewChildElement ("mru")->setAttribute ("list", paths.joinIntoString ("\n"));
        return xml.toString();
    };

    // An empty text stands for no file at all.
    const std::pair<juce::String, juce::StringArray> cases[] = {
        {{}, {}},
        {"this is not <xml at all", {}},
        {"<settings><other/></settings>", {}},
        {"<anything><first a=\"1\"/><mru list=\"" + accented + "\"/></anything>", {accented}},
        {mru ({accented, japanese, marks}), {accented, japanese, marks}},
        {mru ({accented, vanished, japanese}), {accented, japanese}}};

    for (auto& [text, expected] : cases)
    {
        SCOPED_TRACE (text);
        propertiesFile().deleteFile();
        ASSERT_TRUE (text.isEmpty() || (propertiesFile().create() && propertiesFile().replaceWithText (text)));

        auto window = makeWindow();
        EXPECT_EQ (window->m_appPropertiesFile, propertiesFile());
        EXPECT_EQ (juce::StringArray::fromLines (window->m_recentFiles.toString()), expected);
        window.reset();
        EXPECT_EQ (recentListIn (propertiesFile()), expected);
        EXPECT_TRUE (propertiesFile().loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    }
    EXPECT_TRUE (dialogs.shown.empty());
}

TEST_F (MainWindowTest, FailedPropertiesWriteKeepsTheOldList)
{
    const auto song = makeFile ("song.quillet");
    juce::RecentlyOpenedFilesList list;
    list.addFile (song);
    ASSERT_TRUE (quilletPropertiesFile::WriteRecentFiles (propertiesFile(), list));
    const auto oldText = propertiesFile().loadFileAsString();
    for (int i = 0; i < 5; ++i)
        list.addFile (makeFile ("other/a much longer name for the list number " + juce::String (i) + ".quillet"));

    // A file-size limit below the new text makes the write stop part-way, as a filling disk does.
    rlimit old{}, small{};
    getrlimit (RLIMIT_FSIZE, &old);
    small = old;
    small.rlim_cur = 64;
    auto oldHandler = std::signal (SIGXFSZ, SIG_IGN);
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);
    const bool written = quilletPropertiesFile::WriteRecentFiles (propertiesFile(), list);
    setrlimit (RLIMIT_FSIZE, &old);
    std::signal (SIGXFSZ, oldHandler);

    EXPECT_FALSE (written);
    EXPECT_EQ (propertiesFile().loadFileAsString(), oldText);
    EXPECT_EQ (propertiesFile().getParentDirectory().getNumberOfChildFiles (juce::File::findFiles), 1);

    // A folder that cannot be made (a file stands in its way) fails without harm too.
    root.getChildFile ("blocker").replaceWithText ("x");
    EXPECT_FALSE (quilletPropertiesFile::WriteRecentFiles (root.getChildFile ("blocker/quillet.dat"), list));
}

TEST_F (MainWindowTest, ALaterLaunchsPathIsOpenedBesideTheOtherDocuments)
{
    quilletApplication app;
    app.mp_mainWindow = makeWindow();
    auto& window = *app.mp_mainWindow;
    const auto song = makeFile ("with space/song.quillet");
    // Nothing; the song, quoted as the framework quotes an argument with a space; a path that cannot be opened.
    for (auto line :
         {juce::String ("  "), song.getFullPathName().quoted(), root.getFullPathName() + "/missing.quillet"})
        app.anotherInstanceStarted (line);

    ASSERT_EQ (window.mp_documentPanel->getNumDocuments(), 2);
    EXPECT_EQ (documentAt (window, 1)->getFile(), song);
    EXPECT_FALSE (documentAt (window, 1)->hasChangedSinceSaved()); // nothing to ask about when quitting
    EXPECT_EQ (window.m_recentFiles.getFile (0), song);
    EXPECT_TRUE (dialogs.shown.empty());
}
