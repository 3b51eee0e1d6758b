#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Every modal question, file chooser and browser launch of the program goes
    through here, so that tests can answer them without a real window.

    The program runs with the framework's own boxes and native choosers
    (the default); a test installs its own answers with install().
*/
class ModalDialogs
{
public:
    virtual ~ModalDialogs() = default;

    virtual void showMessageBox (juce::MessageBoxIconType icon, const juce::String& title,
                                 const juce::String& message) = 0;

    /** True when the user chose the first button (okText). */
    virtual bool showOkCancelBox (juce::MessageBoxIconType icon, const juce::String& title,
                                  const juce::String& message, const juce::String& okText,
                                  const juce::String& cancelText) = 0;

    /** 1 for the first button, 2 for the second, 0 for the third (cancel),
        as the framework's yes/no/cancel box answers. */
    virtual int showYesNoCancelBox (juce::MessageBoxIconType icon, const juce::String& title,
                                    const juce::String& message, const juce::String& button1Text,
                                    const juce::String& button2Text, const juce::String& button3Text) = 0;

    /** The chosen file, or a default File when the user cancelled. */
    virtual juce::File browseForFileToOpen (const juce::String& title, const juce::File& initialFileOrFolder,
                                            const juce::String& patterns) = 0;

    /** The chosen file, or a default File when the user cancelled. */
    virtual juce::File browseForFileToSave (const juce::String& title, const juce::File& initialFileOrFolder,
                                            const juce::String& patterns, bool warnAboutOverwriting) = 0;

    /** Opens a web address in the user's browser; failures are not reported. */
    virtual void openAddress (const juce::String& address) = 0;

    /** The dialogs in use: the installed ones, or the framework's. */
    static ModalDialogs& get();

    /** Installs dialogs (not owned); nullptr goes back to the framework's. */
    static void install (ModalDialogs* dialogs);
};

/** The framework's modal boxes, native file choosers and the shell-free browser launcher. */
class FrameworkModalDialogs : public ModalDialogs
{
public:
    void showMessageBox (juce::MessageBoxIconType, const juce::String&, const juce::String&) override;
    bool showOkCancelBox (juce::MessageBoxIconType, const juce::String&, const juce::String&, const juce::String&,
                          const juce::String&) override;
    int showYesNoCancelBox (juce::MessageBoxIconType, const juce::String&, const juce::String&, const juce::String&,
                            const juce::String&, const juce::String&) override;
    juce::File browseForFileToOpen (const juce::String&, const juce::File&, const juce::String&) override;
    juce::File browseForFileToSave (const juce::String&, const juce::File&, const juce::String&, bool) override;
    void openAddress (const juce::String& address) override;
};
