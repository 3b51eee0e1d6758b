// Quitting with unsaved work: every route asks about each changed document, and a Cancel or a failed save keeps
// the program running. A quit that goes through stops the message loop for good, so these tests live in their own
// executable, and the one that really quits comes last.
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
    quilletApplication app;
    quillet_Window& window = *(app.mp_mainWindow = makeWindow());
};

TEST_F (QuitTest, EveryRouteAsksAboutAChangedDocumentAndCancelOrAFailedSaveKeepsRunning)
{
    documentAt (window, 0)->changed();
    const std::pair<const char*, std::function<bool()>> routes[] = {
        {"File > Quit",
         [&] { return window.mp_commandManager->invokeDirectly (juce::StandardApplicationCommandIDs::quit, false); }},
        {"Ctrl+Q",
         [&]
         {
             return window.mp_commandManager->getKeyMappings()->keyPressed (
                 juce::KeyPress ('q', juce::ModifierKeys::commandModifier, 0), &window);
         }},
        {"close button", [&] { return window.closeButtonPressed(), true; }},
        {"the desktop's request", [&] { return app.systemRequestedQuit(), true; }}};

    int asked = 0;
    for (auto& [route, quit] : routes)
    {
        EXPECT_TRUE (quit()) << route; // no answer queued: Cancel
        EXPECT_EQ (dialogs.count ("yesnocancel"), ++asked) << route;
    }
    EXPECT_EQ (dialogs.shown[0].title, "Closing document...");
    EXPECT_EQ (dialogs.shown[0].message, "Do you want to save the changes to \"Untitled\"?");

    // Save, where a file of that name is already there: the file choice that follows is cancelled.
    const auto untitled = productFolder().getChildFile ("untitled.quillet");
    untitled.replaceWithText ("somebody else's");
    dialogs.yesNoCancelAnswers = {1};
    app.systemRequestedQuit();
    EXPECT_EQ (dialogs.count ("save"), 1);
    EXPECT_EQ (untitled.loadFileAsString(), "somebody else's");

    EXPECT_FALSE (quitRequested());
    EXPECT_EQ (window.mp_documentPanel->getNumDocuments(), 1);
    EXPECT_TRUE (documentAt (window, 0)->hasChangedSinceSaved());
}

// Last: once the quit goes through, the message loop stops for the rest of this process.
TEST_F (QuitTest, ZZ_CancelOnTheSecondOfThreeStopsThereAndAnsweringAllLetsTheQuitThrough)
{
    window.mp_documentPanel->closeAllDocuments (false);
    for (int i = 0; i < 3; ++i)
    {
        window.GetContentComp()->DoFileNew();
        documentAt (window, i)->m_documentTitle = "Song " + juce::String (i + 1);
        documentAt (window, i)->changed();
    }
    dialogs.yesNoCancelAnswers = {1, 0}; // Save the first, Cancel at the second
    app.systemRequestedQuit();
    ASSERT_EQ (dialogs.count ("yesnocancel"), 2); // the third was not asked
    EXPECT_EQ (dialogs.shown[1].message, "Do you want to save the changes to \"Song 2\"?");
    EXPECT_TRUE (productFolder().getChildFile ("untitled.quillet").existsAsFile());
    EXPECT_FALSE (quitRequested());

    // Now the saved first is not asked about; Discard for the others lets the quit through.
    dialogs.yesNoCancelAnswers = {2, 2};
    app.systemRequestedQuit();
    EXPECT_EQ (dialogs.count ("yesnocancel"), 4);
    EXPECT_EQ (dialogs.shown[3].message, "Do you want to save the changes to \"Song 3\"?");
    EXPECT_TRUE (quitRequested());

    // The questions themselves close nothing; shutdown deletes the window, which writes the properties file.
    EXPECT_EQ (window.mp_documentPanel->getNumDocuments(), 3);
    app.shutdown();
    EXPECT_EQ (app.mp_mainWindow, nullptr);
    EXPECT_TRUE (propertiesFile().existsAsFile());
}
