#pragma once

#include "ContentComp.h"
#include "ScriptedDialogs.h"
#include "quilletApplication.h"
#include "quilletComponent.h"
#include "quillet_MultiDocumentPanel.h"
#include "quillet_Window.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace app_test
{
/** The framework treats these tests as a program it started itself, as the real program is: it then installs its
    X error handlers, which pass over the harmless errors of an X server without a window manager, and it accepts
    an application object. */
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

/** Every test has a fresh home and settings folder of its own, so the properties file and the documents folder are
    the test's, and every question is answered through ScriptedDialogs. (Each test sets the variables anew, so
    there is nothing to put back.) */
class AppTest : public ::testing::Test
{
public:
    AppTest()
    {
        setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);
        setenv ("XDG_CONFIG_HOME", config.getFullPathName().toRawUTF8(), 1);
        home.createDirectory();
        config.createDirectory();
    }

    ~AppTest() override { root.deleteRecursively(); }

    juce::File propertiesFile() const { return config.getChildFile ("quillet/quillet.dat"); }
    juce::File productFolder() const { return home.getChildFile ("Documents/brackwater/quillet"); }

    /** A file that exists, for the recent-files list. */
    juce::File makeFile (const juce::String& relativePath)
    {
        auto file = root.getChildFile (relativePath);
        file.getParentDirectory().createDirectory();
        file.replaceWithText ("<quillet>\n</quillet>\n");
        return file;
    }

    /** The window as start-up leaves it: at 835 x 585 with its "Untitled" document. */
    static std::unique_ptr<quillet_Window> makeWindow()
    {
        auto window = std::make_unique<quillet_Window>();
        window->centreWithSize (quillet_Window::startWidth, quillet_Window::startHeight);
        pump();
        return window;
    }

    static quilletComponent* documentAt (quillet_Window& window, int index)
    {
        return dynamic_cast<quilletComponent*> (window.mp_documentPanel->getDocument (index));
    }

    // A unique name: tests run in parallel processes, and other checkouts' tests may run beside them.
    juce::File root = juce::File::getSpecialLocation (juce::File::tempDirectory)
                          .getChildFile ("quillet-app-test-" + juce::Uuid().toString());
    juce::File home = root.getChildFile ("home"), config = root.getChildFile ("config");
    ScriptedDialogs dialogs;
};

/** The recent list as the properties file holds it, read without the program's own reader. */
inline juce::StringArray recentListIn (const juce::File& propertiesFile)
{
    auto root = juce::XmlDocument::parse (propertiesFile);
    auto* mru = root != nullptr && root->hasTagName ("quillet") ? root->getChildByName ("mru") : nullptr;
    return mru != nullptr ? juce::StringArray::fromLines (mru->getStringAttribute ("list"))
                          : juce::StringArray ("<no list>");
}
} // namespace app_test
