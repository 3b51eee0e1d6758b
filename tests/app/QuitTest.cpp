// Quitting with unsaved work: every route asks about each changed document, as the close button does, and a
// Cancel keeps the program running. A quit that goes through stops the message loop for good, so these tests live
// in their own executable, and the one that really quits comes last.
#include "AppTestSupport.h"

using namespace app_test;

namespace
{
bool quitRequested()
{
    return juce::MessageManager::getInstance()->hasStopMessageBeenSent();
}
} // namespace

class QuitTest : public AppTest
{
public:
    QuitTest()
    {
        app.application->mp_mainWindow = makeWindow();
        window = app.application->mp_mainWindow.get();
    }

    /** Three documents after "Untitled", all changed. */
    void makeThreeChangedDocuments()
    {
        window->mp_documentPanel->closeAllDocuments (false);
        for (int i = 0; i < 3; ++i)
        {
            window->GetContentComp()->DoFileNew();
            documentAt (*window, i)->m_documentTitle = "Song " + juce::String (i + 1);
            documentAt (*window, i)->changed();
        }
    }

    TestApplication app;
    quillet_Window* window = nullptr;
};

TEST_F (QuitTest, QuitCommandAsksAboutAChangedDocumentAndCancelKeepsRunning)
{
    ASSERT_FALSE (quitRequested());
    documentAt (*window, 0)->changed();

    dialogs.yesNoCancelAnswers.push_back (0); // Cancel
    EXPECT_TRUE (window->mp_commandManager->invokeDirectly (juce::StandardApplicationCommandIDs::quit, false));

    ASSERT_EQ (dialogs.count ("yesnocancel"), 1);
    EXPECT_EQ (dialogs.shown[0].title, "Closing document...");
    EXPECT_EQ (dialogs.shown[0].message, "Do you want to save the changes to \"Untitled\"?");
    EXPECT_FALSE (quitRequested());
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 1);
    EXPECT_TRUE (documentAt (*window, 0)->hasChangedSinceSaved());
}

TEST_F (QuitTest, CtrlQAndTheCloseButtonAskTheSameQuestion)
{
    documentAt (*window, 0)->changed();

    dialogs.yesNoCancelAnswers.push_back (0);
    EXPECT_TRUE (window->mp_commandManager->getKeyMappings()->keyPressed (
        juce::KeyPress ('q', juce::ModifierKeys::commandModifier, 0), window));
    EXPECT_EQ (dialogs.count ("yesnocancel"), 1);

    dialogs.yesNoCancelAnswers.push_back (0);
    window->closeButtonPressed();
    EXPECT_EQ (dialogs.count ("yesnocancel"), 2);

    // The desktop's own quit request takes the same road.
    dialogs.yesNoCancelAnswers.push_back (0);
    app.application->systemRequestedQuit();
    EXPECT_EQ (dialogs.count ("yesnocancel"), 3);

    EXPECT_FALSE (quitRequested());
}

TEST_F (QuitTest, CancelOnTheSecondOfThreeStopsThereAndSavesTheFirst)
{
    makeThreeChangedDocuments();
    const auto firstFile = window->GetBestFolderToOpen().getChildFile ("untitled.quillet");
    ASSERT_FALSE (firstFile.exists());

    dialogs.yesNoCancelAnswers.push_back (1); // Save the first
    dialogs.yesNoCancelAnswers.push_back (0); // Cancel at the second
    app.application->systemRequestedQuit();

    ASSERT_EQ (dialogs.count ("yesnocancel"), 2); // the third was not asked
    EXPECT_EQ (dialogs.shown[0].message, "Do you want to save the changes to \"Song 1\"?");
    EXPECT_EQ (dialogs.shown[1].message, "Do you want to save the changes to \"Song 2\"?");
    EXPECT_TRUE (firstFile.existsAsFile());
    EXPECT_FALSE (documentAt (*window, 0)->hasChangedSinceSaved());
    EXPECT_TRUE (documentAt (*window, 2)->hasChangedSinceSaved());
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 3);
    EXPECT_FALSE (quitRequested());
}

TEST_F (QuitTest, FailedSaveStopsTheQuit)
{
    documentAt (*window, 0)->changed();
    // The save asks for a file (a file of that name is already there) and the user cancels that choice.
    window->GetBestFolderToOpen().getChildFile ("untitled.quillet").replaceWithText ("somebody else's");

    dialogs.yesNoCancelAnswers.push_back (1); // Save
    app.application->systemRequestedQuit();
    EXPECT_EQ (dialogs.count ("save"), 1);
    EXPECT_FALSE (quitRequested());
    EXPECT_EQ (window->GetBestFolderToOpen().getChildFile ("untitled.quillet").loadFileAsString(), "somebody else's");
}

// Last: once the quit goes through, the message loop stops for the rest of this process.
TEST_F (QuitTest, ZZ_UnchangedOrAnsweredDocumentsLetTheQuitThrough)
{
    makeThreeChangedDocuments();
    documentAt (*window, 1)->setChangedFlag (false);

    dialogs.yesNoCancelAnswers.push_back (2); // Discard the first
    dialogs.yesNoCancelAnswers.push_back (2); // and the third; the unchanged second is not asked
    app.application->systemRequestedQuit();

    EXPECT_EQ (dialogs.count ("yesnocancel"), 2);
    EXPECT_EQ (dialogs.shown[1].message, "Do you want to save the changes to \"Song 3\"?");
    EXPECT_TRUE (quitRequested());

    // Nothing was closed or written by the questions themselves; shutdown deletes the window.
    EXPECT_EQ (window->mp_documentPanel->getNumDocuments(), 3);
    app.application->shutdown();
    EXPECT_EQ (app.application->mp_mainWindow, nullptr);
    EXPECT_TRUE (propertiesFile().existsAsFile());
}
