#pragma once

#include "ContentComp.h"
#include "ScriptedDialogs.h"
#include "quilletApplication.h"
#include "quilletComponent.h"
#include "quillet_MultiDocumentPanel.h"
#include "quillet_Window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace app_test
{
/** The framework treats these tests as a program it started itself, as the real program is: it then installs its
    X error handlers, which pass over the harmless errors of an X server without a window manager (without them
    Xlib ends the process at the first one), and it expects an application object only in such a program. */
inline const bool runsAsStandaloneProgram = []
{
    juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
    return true;
}();

/** Source text is UTF-8; the framework reads a plain char string as ASCII. */
inline juce::String utf8 (const char* text)
{
    return juce::String::fromUTF8 (text);
}

inline void pump (int milliseconds = 30)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

/** A click as the framework delivers it to the component under the mouse. */
inline void mouseDownOn (juce::Component& component)
{
    const juce::Point<float> centre (component.getWidth() / 2.0f, component.getHeight() / 2.0f);
    const auto now = juce::Time::getCurrentTime();
    const juce::MouseEvent event (juce::Desktop::getInstance().getMainMouseSource(), centre,
                                  juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier), 1.0f, 0.0f, 0.0f, 0.0f,
                                  0.0f, &component, &component, now, centre, now, 1, false);
    component.mouseDown (event);
}

/** Sets an environment variable for one scope (nullopt unsets it) and puts back what was there. */
class ScopedEnvironmentVariable
{
public:
    ScopedEnvironmentVariable (const char* variableName, std::optional<juce::String> value)
        : name (variableName)
    {
        if (const char* old = std::getenv (name))
            previous = std::string (old);

        if (value)
            setenv (name, value->toRawUTF8(), 1);
        else
            unsetenv (name);
    }

    ~ScopedEnvironmentVariable()
    {
        if (previous)
            setenv (name, previous->c_str(), 1);
        else
            unsetenv (name);
    }

private:
    const char* name;
    std::optional<std::string> previous;
};

/** Every test starts with a fresh home folder and settings folder of its own, so the properties file and the
    documents folder the window uses are the test's, and answers every question through ScriptedDialogs. */
class AppTest : public ::testing::Test
{
public:
    AppTest()
        : root (juce::File::getSpecialLocation (juce::File::tempDirectory)
                    .getNonexistentChildFile ("quillet-app-test", {}, false))
        , home (root.getChildFile ("home"))
        , config (root.getChildFile ("config"))
        , homeVariable ("HOME", home.getFullPathName())
        , configVariable ("XDG_CONFIG_HOME", config.getFullPathName())
    {
        home.createDirectory();
        config.createDirectory();
    }

    ~AppTest() override { root.deleteRecursively(); }

    juce::File propertiesFile() const { return config.getChildFile ("quillet").getChildFile ("quillet.dat"); }
    juce::File productFolder() const { return home.getChildFile ("Documents/brackwater/quillet"); }

    /** A file that exists, for the recent-files list. */
    juce::File makeFile (const juce::String& relativePath, const juce::String& content = "<quillet>\n</quillet>\n")
    {
        auto file = root.getChildFile (relativePath);
        file.getParentDirectory().createDirectory();
        file.replaceWithText (content, false, false, "\n");
        return file;
    }

    void writeProperties (const juce::String& text)
    {
        propertiesFile().getParentDirectory().createDirectory();
        propertiesFile().replaceWithText (text, false, false, "\n");
    }

    /** The window as start-up leaves it: at 835 x 585 with its "Untitled" document. */
    std::unique_ptr<quillet_Window> makeWindow()
    {
        auto window = std::make_unique<quillet_Window>();
        window->centreWithSize (835, 585);
        pump();
        return window;
    }

    static quilletComponent* documentAt (quillet_Window& window, int index)
    {
        return dynamic_cast<quilletComponent*> (window.mp_documentPanel->getDocument (index));
    }

    static quilletComponent* activeDocument (quillet_Window& window)
    {
        return dynamic_cast<quilletComponent*> (window.mp_documentPanel->getActiveDocument());
    }

    juce::File root, home, config;
    ScopedEnvironmentVariable homeVariable, configVariable;
    ScriptedDialogs dialogs;
};

/** An application object for the tests that need one (the framework's Quit command is registered for it). */
class TestApplication
{
public:
    TestApplication()
    {
        // The framework expects an application object only in a program it started itself.
        juce::JUCEApplicationBase::createInstance = []() -> juce::JUCEApplicationBase* { return nullptr; };
        application = std::make_unique<quilletApplication>();
    }

    ~TestApplication()
    {
        application.reset();
        juce::JUCEApplicationBase::createInstance = nullptr;
    }

    std::unique_ptr<quilletApplication> application;
};
} // namespace app_test
