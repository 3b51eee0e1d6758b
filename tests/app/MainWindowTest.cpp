// The main window: its size limits, new documents, the properties file with the recent-files list, and the folder
// where file dialogs start; and the application's reading of command lines.
#include "AppTestSupport.h"

#include "quilletPropertiesFile.h"

#include <sys/resource.h>

#include <csignal>

using namespace app_test;

namespace
{
juce::String propertiesText (const juce::StringArray& paths)
{
    juce::XmlElement root ("quillet");
    root.createNewChildElement ("mru")->setAttribute ("list", paths.joinIntoString ("\n"));
    return root.toString();
}

juce::StringArray recentPaths (const juce::RecentlyOpenedFilesList& list)
{
    juce::StringArray paths;
    for (int i = 0; i < list.getNumFiles(); ++i)
        paths.add (list.getFile (i).getFullPathName());
    return paths;
}

/** The list as the properties file holds it, read without the program's own reader. */
juce::StringArray pathsInPropertiesFile (const juce::File& file)
{
    auto root = juce::XmlDocument::parse (file);
    if (root == nullptr || !root->hasTagName ("quillet"))
        return {"<not a properties file>"};
    auto* mru = root->getChildByName ("mru");
    if (mru == nullptr)
        return {"<no mru>"};
    return juce::StringArray::fromLines (mru->getStringAttribute ("list"));
}
} // namespace

using MainWindowTest = AppTest;

TEST_F (MainWindowTest, WindowStartsWithItsTitleColourMenusAndOneUntitledDocument)
{
    auto window = makeWindow();
    EXPECT_EQ (window->getName(), "Quillet");
    EXPECT_EQ (window->getBackgroundColour(), juce::Colour (0xFFF4999Au));
    EXPECT_EQ (window->getDesktopWindowStyleFlags() & juce::ComponentPeer::windowHasCloseButton,
               juce::ComponentPeer::windowHasCloseButton);
    EXPECT_TRUE (window->isOnDesktop());
    EXPECT_TRUE (window->isResizable());
    EXPECT_EQ (window->getWidth(), 835);
    EXPECT_EQ (window->getHeight(), 585);

    // The content fills the window below the menu bar, and the panel fills the content.
    auto* content = window->GetContentComp();
    ASSERT_NE (content, nullptr);
    EXPECT_EQ (content->mp_shownChild, window->mp_documentPanel);
    EXPECT_EQ (window->mp_documentPanel->getBounds(), content->getLocalBounds());
    EXPECT_EQ (quilletComponent::mp_quillet_Window, window.get());
    EXPECT_EQ (&juce::LookAndFeel::getDefaultLookAndFeel(), &window->m_lookAndFeel);

    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 1);
    EXPECT_EQ (window->mp_documentPanel->getActiveDocument(), documentAt (*window, 0));
    EXPECT_EQ (documentAt (*window, 0)->getName(), "Untitled");

    window.reset();
    EXPECT_EQ (quilletComponent::mp_quillet_Window, nullptr);
    EXPECT_NE (&juce::LookAndFeel::getDefaultLookAndFeel(), nullptr);
}

TEST_F (MainWindowTest, MinimumSizeIsHalfTheWidthAndTwoThirdsTheHeightOfTheFirstSize)
{
    auto window = makeWindow();
    EXPECT_TRUE (window->m_minimumSizeSet);
    ASSERT_NE (window->getConstrainer(), nullptr);
    EXPECT_EQ (window->getConstrainer()->getMinimumWidth(), 417);
    EXPECT_EQ (window->getConstrainer()->getMinimumHeight(), 390);

    window->setBoundsConstrained ({10, 10, 100, 100});
    EXPECT_EQ (window->getWidth(), 417);
    EXPECT_EQ (window->getHeight(), 390);

    // Later sizes do not move the limit.
    window->setSize (1200, 900);
    window->setBoundsConstrained ({10, 10, 50, 50});
    EXPECT_EQ (window->getWidth(), 417);
    EXPECT_EQ (window->getHeight(), 390);
}

TEST_F (MainWindowTest, NewDocumentIsUntitledInTheBestFolder)
{
    auto window = makeWindow();
    auto* first = documentAt (*window, 0);
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (first->getName(), "Untitled");
    EXPECT_EQ (first->m_documentTitle, "Untitled");
    EXPECT_EQ (first->getDocumentTitle(), "Untitled");
    EXPECT_EQ (first->getFile(), productFolder().getChildFile ("untitled.quillet"));
    EXPECT_FALSE (first->hasChangedSinceSaved());

    // With a recent document elsewhere, the next new one lives beside it.
    const auto song = makeFile (utf8 ("lyrics/ünïcode folder/song.quillet"));
    window->m_recentFiles.addFile (song);
    window->GetContentComp()->DoFileNew();
    ASSERT_EQ (window->mp_documentPanel->getNumDocuments(), 2);
    auto* second = documentAt (*window, 1);
    EXPECT_EQ (second->getFile(), song.getParentDirectory().getChildFile ("untitled.quillet"));
    EXPECT_EQ (second->getName(), "Untitled");
    EXPECT_EQ (window->mp_documentPanel->getActiveDocument(), second);
}

TEST_F (MainWindowTest, BestFolderIsTheMostRecentDocumentsFolderThenTheProductFolder)
{
    auto window = makeWindow();
    EXPECT_TRUE (productFolder().isDirectory()); // made when the window was built
    EXPECT_EQ (window->GetBestFolderToOpen(), productFolder());

    const auto older = makeFile ("a/older.quillet");
    const auto newer = makeFile ("b/newer.quillet");
    window->m_recentFiles.addFile (older);
    window->m_recentFiles.addFile (newer);
    EXPECT_EQ (window->GetBestFolderToOpen(), newer.getParentDirectory());

    // A vanished most recent file is dropped and the next one counts.
    newer.deleteFile();
    EXPECT_EQ (window->GetBestFolderToOpen(), older.getParentDirectory());
    EXPECT_EQ (window->m_recentFiles.getNumFiles(), 1);

    older.deleteFile();
    EXPECT_EQ (window->GetBestFolderToOpen(), productFolder());
    EXPECT_EQ (window->m_recentFiles.getNumFiles(), 0);

    // Without the product folder, the user's documents folder.
    productFolder().deleteRecursively();
    EXPECT_EQ (window->GetBestFolderToOpen(), home.getChildFile ("Documents"));
}

TEST_F (MainWindowTest, MissingPropertiesFileGivesAnEmptyListAndIsWrittenAtTheEnd)
{
    ASSERT_FALSE (propertiesFile().exists());
    auto window = makeWindow();
    EXPECT_EQ (window->m_appPropertiesFile, propertiesFile());
    EXPECT_EQ (window->m_recentFiles.getNumFiles(), 0);
    window.reset();

    ASSERT_TRUE (propertiesFile().existsAsFile());
    const auto text = propertiesFile().loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")) << text;
    EXPECT_FALSE (text.contains ("DOCTYPE"));

    auto root = juce::XmlDocument::parse (text);
    ASSERT_NE (root, nullptr);
    EXPECT_EQ (root->getTagName(), "quillet");
    EXPECT_EQ (root->getNumAttributes(), 0);
    ASSERT_EQ (root->getNumChildElements(), 1);
    EXPECT_EQ (root->getChildElement (0)->getTagName(), "mru");
    EXPECT_TRUE (root->getChildElement (0)->hasAttribute ("list"));
    EXPECT_EQ (root->getChildElement (0)->getStringAttribute ("list"), "");
}

TEST_F (MainWindowTest, PropertiesFileThatIsNotXmlIsIgnoredAndReplaced)
{
    writeProperties ("this is not <xml at all");
    auto window = makeWindow();
    EXPECT_EQ (window->m_recentFiles.getNumFiles(), 0);
    EXPECT_TRUE (dialogs.shown.empty());

    const auto song = makeFile ("song.quillet");
    window->m_recentFiles.addFile (song);
    window.reset();
    EXPECT_EQ (pathsInPropertiesFile (propertiesFile()), juce::StringArray (song.getFullPathName()));

    // Another root, or no "mru", is read as no list; "mru" is found among other elements.
    writeProperties ("<settings><other/></settings>");
    EXPECT_EQ (makeWindow()->m_recentFiles.getNumFiles(), 0);
    writeProperties ("<anything><first a=\"1\"/><mru list=\"" + song.getFullPathName() + "\"/></anything>");
    EXPECT_EQ (recentPaths (makeWindow()->m_recentFiles), juce::StringArray (song.getFullPathName()));
}

TEST_F (MainWindowTest, NonAsciiPathsComeBackWhole)
{
    const auto accented = makeFile (utf8 ("Liedtexte/Grüße aus Köln – ♪.quillet"));
    const auto japanese = makeFile (utf8 ("歌詞/夜の歌.quillet"));
    const auto emoji = makeFile (utf8 ("songs/🎸 & <quotes> \"x\" 'y'.quillet"));
    writeProperties (
        propertiesText ({accented.getFullPathName(), japanese.getFullPathName(), emoji.getFullPathName()}));

    auto window = makeWindow();
    const juce::StringArray expected{accented.getFullPathName(), japanese.getFullPathName(), emoji.getFullPathName()};
    EXPECT_EQ (recentPaths (window->m_recentFiles), expected);
    window.reset();

    EXPECT_EQ (pathsInPropertiesFile (propertiesFile()), expected);
    EXPECT_EQ (recentPaths (makeWindow()->m_recentFiles), expected); // and again on the next start
}

TEST_F (MainWindowTest, EntriesWhoseFilesVanishedAreDroppedAtStart)
{
    const auto kept = makeFile ("kept.quillet");
    const auto gone = makeFile ("gone.quillet");
    const auto alsoKept = makeFile ("also kept.quillet");
    writeProperties (propertiesText ({kept.getFullPathName(), gone.getFullPathName(), alsoKept.getFullPathName()}));
    gone.deleteFile();

    juce::StringArray expected;
    expected.add (kept.getFullPathName());
    expected.add (alsoKept.getFullPathName());

    auto window = makeWindow();
    EXPECT_EQ (recentPaths (window->m_recentFiles), expected);
    window.reset();
    EXPECT_EQ (pathsInPropertiesFile (propertiesFile()), expected);
}

TEST_F (MainWindowTest, FailedWriteKeepsTheOldList)
{
    const auto song = makeFile ("song.quillet");
    writeProperties (propertiesText ({song.getFullPathName()}));
    const auto oldText = propertiesFile().loadFileAsString();

    juce::RecentlyOpenedFilesList longer;
    for (int i = 0; i < 5; ++i)
        longer.addFile (makeFile ("other/a much longer name for the list number " + juce::String (i) + ".quillet"));

    // A file-size limit below the new text makes the write stop part-way, as a filling disk does.
    struct rlimit old
    {
    };
    getrlimit (RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal (SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);
    const bool written = quilletPropertiesFile::WriteRecentFiles (propertiesFile(), longer);
    setrlimit (RLIMIT_FSIZE, &old);
    std::signal (SIGXFSZ, oldHandler);

    EXPECT_FALSE (written);
    EXPECT_EQ (propertiesFile().loadFileAsString(), oldText);
    EXPECT_EQ (propertiesFile().getParentDirectory().getNumberOfChildFiles (juce::File::findFiles), 1);

    // A folder that cannot be made (a file stands in its way) fails without harm too.
    const auto blocked = root.getChildFile ("blocker");
    blocked.replaceWithText ("x");
    EXPECT_FALSE (quilletPropertiesFile::WriteRecentFiles (blocked.getChildFile ("quillet.dat"), longer));
}

TEST_F (MainWindowTest, CommandLineIsOnePathMadeAbsolute)
{
    EXPECT_EQ (quilletApplication::PathFromCommandLine (""), "");
    EXPECT_EQ (quilletApplication::PathFromCommandLine ("   "), "");
    EXPECT_EQ (quilletApplication::PathFromCommandLine ("/tmp/a b/song.quillet"), "/tmp/a b/song.quillet");
    // The framework quotes an argument with spaces when it joins the command line.
    EXPECT_EQ (quilletApplication::PathFromCommandLine ("\"/tmp/a b/song.quillet\""), "/tmp/a b/song.quillet");
    EXPECT_EQ (quilletApplication::PathFromCommandLine ("song.quillet"),
               juce::File::getCurrentWorkingDirectory().getChildFile ("song.quillet").getFullPathName());
    EXPECT_EQ (quilletApplication::PathFromCommandLine (utf8 ("../x/Grüße.quillet")),
               juce::File::getCurrentWorkingDirectory()
                   .getParentDirectory()
                   .getChildFile (utf8 ("x/Grüße.quillet"))
                   .getFullPathName());
}

TEST_F (MainWindowTest, SecondLaunchWithAPathOpensItAndWithoutOneChangesNothing)
{
    TestApplication app;
    app.application->mp_mainWindow = makeWindow();
    auto& window = *app.application->mp_mainWindow;

    app.application->anotherInstanceStarted ("");
    EXPECT_EQ (window.mp_documentPanel->getNumDocuments(), 1);

    const auto song = makeFile ("with space/song.quillet");
    app.application->anotherInstanceStarted (song.getFullPathName().quoted());
    ASSERT_EQ (window.mp_documentPanel->getNumDocuments(), 2);
    EXPECT_EQ (documentAt (window, 0)->getName(), "Untitled");
    EXPECT_EQ (documentAt (window, 1)->getFile(), song);
    EXPECT_FALSE (documentAt (window, 1)->hasChangedSinceSaved()); // nothing to ask about when quitting
    EXPECT_EQ (window.m_recentFiles.getFile (0), song);

    // A path that cannot be opened leaves no document and no message.
    app.application->anotherInstanceStarted (root.getChildFile ("missing.quillet").getFullPathName());
    EXPECT_EQ (window.mp_documentPanel->getNumDocuments(), 2);
    EXPECT_TRUE (dialogs.shown.empty());
}
