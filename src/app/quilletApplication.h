#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class quillet_Window;

namespace quillet
{
class SingleInstanceChannel;
}

/** The application object: it makes the main window at start and deletes it at the end, keeps the program to one
    instance per user (a second launch hands its command line over and exits), and asks about unsaved work
    before any quit. */
class quilletApplication : public juce::JUCEApplication
{
public:
    quilletApplication();
    ~quilletApplication() override;

    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;

    /** Every quit (the Quit command, its key, the main window's close button) comes here: each changed document is
        asked about first, and a Cancel keeps the program running. */
    void systemRequestedQuit() override;

    /** The framework's hand-over of a second launch does nothing on Linux, so the program does its own, first thing
        in initialise: hands the command line to a running Quillet of this user and returns true (this launch then
        quits), or becomes the running one, listening for later launches, and returns false. */
    bool HandOverOrListen (const juce::String& commandLine);

    /** The document path in a command line: the whole line is one path; quotes the framework put round a path
        with spaces are taken off, and a relative path is made absolute against the current folder (a second
        launch must not leave it to the running program, whose current folder differs). Empty for an empty line. */
    static juce::String PathFromCommandLine (const juce::String& commandLine);

    std::unique_ptr<quillet_Window> mp_mainWindow;

private:
    std::unique_ptr<quillet::SingleInstanceChannel> mp_instanceChannel;
    bool m_askingBeforeQuit = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (quilletApplication)
};
