#include "quilletApplication.h"

#include <iostream>

#include "ContentComp.h"
#include "ModalDialogs.h"
#include "SingleInstanceChannel.h"
#include "my_bw_file_alert.h"
#include "quillet_Window.h"

namespace
{
constexpr int startSplashTimeMs = 4000;

void showFileAlert (const juce::String& title, const juce::String& message)
{
    ModalDialogs::get().showMessageBox (juce::MessageBoxIconType::WarningIcon, title, message);
}
} // namespace

quilletApplication::quilletApplication() = default;
quilletApplication::~quilletApplication() = default;

const juce::String quilletApplication::getApplicationName()
{
    return "quillet";
}

const juce::String quilletApplication::getApplicationVersion()
{
    return "1.0";
}

bool quilletApplication::moreThanOneInstanceAllowed()
{
    // Only one Quillet runs per user, but that is kept by HandOverOrListen. The framework's own check locks one
    // file in /var/tmp for the whole machine, whoever the user and whatever the home folder, and on Linux it
    // hands nothing over: a second launch would just vanish with its document.
    return true;
}

bool quilletApplication::HandOverOrListen (const juce::String& commandLine)
{
    mp_instanceChannel = std::make_unique<quillet::SingleInstanceChannel>();
    const auto role =
        mp_instanceChannel->handOverOrListen (PathFromCommandLine (commandLine), [this] (const juce::String& received)
                                              { anotherInstanceStarted (received); });

    // With no usable channel (Role::alone) the program simply runs without hearing of later launches.
    if (role != quillet::SingleInstanceChannel::Role::handedOver)
        return false;

    mp_instanceChannel.reset();
    return true;
}

void quilletApplication::initialise (const juce::String& commandLine)
{
    // First of all, before any window: a running Quillet takes the command line and this launch ends.
    if (HandOverOrListen (commandLine))
    {
        setApplicationReturnValue (0);
        quit();
        return;
    }

    // Without a display (no X server, DISPLAY unset) there is nowhere to put a
    // window: say so and end, rather than fail on the first window.
    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
    {
        std::cerr << "quillet: no graphical display could be opened (is DISPLAY set?)" << std::endl;
        setApplicationReturnValue (1);
        quit();
        return;
    }

    // "File could not be replaced" and its kin reach the user as warning boxes.
    my_bw_SetFileAlertHandler (showFileAlert);

    mp_mainWindow = std::make_unique<quillet_Window>();
    mp_mainWindow->centreWithSize (quillet_Window::startWidth, quillet_Window::startHeight);
    mp_mainWindow->setVisible (true);

    ContentComp::ShowSplashScreen (startSplashTimeMs);

    const auto path = PathFromCommandLine (commandLine);
    if (path.isNotEmpty())
        mp_mainWindow->DoFileOpenPath (path);
}

void quilletApplication::shutdown()
{
    mp_instanceChannel.reset();
    mp_mainWindow.reset(); // writes the properties file
    my_bw_SetFileAlertHandler (nullptr);
}

void quilletApplication::anotherInstanceStarted (const juce::String& commandLine)
{
    const auto path = PathFromCommandLine (commandLine);
    if (path.isNotEmpty() && mp_mainWindow != nullptr)
        mp_mainWindow->DoFileOpenPath (path);
}

void quilletApplication::systemRequestedQuit()
{
    // A second request while the questions are showing (the desktop's close, say) must not ask them again.
    if (m_askingBeforeQuit)
        return;

    const juce::ScopedValueSetter<bool> asking (m_askingBeforeQuit, true);
    if (mp_mainWindow != nullptr && !mp_mainWindow->AskToSaveChangedDocuments())
        return; // cancelled, or a save failed: everything stays open

    quit();
}

juce::String quilletApplication::PathFromCommandLine (const juce::String& commandLine)
{
    auto path = commandLine.trim();
    if (path.length() >= 2 && path.isQuotedString() && path.getLastCharacter() == path[0])
        path = path.unquoted();

    if (path.isEmpty())
        return {};

    return juce::File::getCurrentWorkingDirectory().getChildFile (path).getFullPathName();
}
