#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class quillet_Window;
class BwSplashScreen;

/** The main window's content: it fills the window with the document panel, and it is the program's menu bar
    model and command target. It names and fills the menus, describes every command (name, category, key, tick,
    greying) and performs it; the real work is done by the documents and the window. */
class ContentComp : public juce::Component, public juce::MenuBarModel, public juce::ApplicationCommandTarget
{
public:
    explicit ContentComp (quillet_Window* window);
    ~ContentComp() override;

    /** Makes the component the one child that fills the content area. */
    void showThisChildComponent (juce::Component* child);

    /** A new empty document titled "Untitled", to be saved as untitled.quillet in the best folder. */
    void DoFileNew();

    void resized() override;

    juce::StringArray getMenuBarNames() override;
    juce::PopupMenu getMenuForIndex (int topLevelMenuIndex, const juce::String& menuName) override;
    void menuItemSelected (int menuItemID, int topLevelMenuIndex) override;

    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;
    void getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;
    bool perform (const InvocationInfo& info) override;

    /** The splash picture with the version number, shown for displayTimeMs (start-up) or until clicked (About).
        Null when the program carries no splash picture; otherwise the splash owns itself. */
    static BwSplashScreen* ShowSplashScreen (int displayTimeMs);

    /** The desktop here has no menu bar of its own, so the menus always stand in the window. */
    static constexpr bool nativeMenuBarAvailable = false;

    quillet_Window* mp_window;
    juce::Component* mp_shownChild = nullptr;
    juce::TooltipWindow m_tooltipWindow{nullptr, 700};

private:
    juce::PopupMenu createFileMenu();
    juce::PopupMenu createOptionsMenu();
    juce::PopupMenu createHelpMenu();

    void closeActiveDocument();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ContentComp)
};
