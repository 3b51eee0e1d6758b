#include "ModalDialogs.h"

#include "UrlLauncher.h"

namespace
{
ModalDialogs* installedDialogs = nullptr;
}

ModalDialogs& ModalDialogs::get()
{
    static FrameworkModalDialogs frameworkDialogs;
    return installedDialogs != nullptr ? *installedDialogs : frameworkDialogs;
}

void ModalDialogs::install (ModalDialogs* dialogs)
{
    installedDialogs = dialogs;
}

void FrameworkModalDialogs::showMessageBox (juce::MessageBoxIconType icon, const juce::String& title,
                                            const juce::String& message)
{
    juce::AlertWindow::showMessageBox (icon, title, message);
}

bool FrameworkModalDialogs::showOkCancelBox (juce::MessageBoxIconType icon, const juce::String& title,
                                             const juce::String& message, const juce::String& okText,
                                             const juce::String& cancelText)
{
    return juce::AlertWindow::showOkCancelBox (icon, title, message, okText, cancelText);
}

int FrameworkModalDialogs::showYesNoCancelBox (juce::MessageBoxIconType icon, const juce::String& title,
                                               const juce::String& message, const juce::String& button1Text,
                                               const juce::String& button2Text, const juce::String& button3Text)
{
    return juce::AlertWindow::showYesNoCancelBox (icon, title, message, button1Text, button2Text, button3Text);
}

juce::File FrameworkModalDialogs::browseForFileToOpen (const juce::String& title, const juce::File& initial,
                                                       const juce::String& patterns)
{
    juce::FileChooser chooser (title, initial, patterns, true);
    return chooser.browseForFileToOpen() ? chooser.getResult() : juce::File();
}

juce::File FrameworkModalDialogs::browseForFileToSave (const juce::String& title, const juce::File& initial,
                                                       const juce::String& patterns, bool warnAboutOverwriting)
{
    juce::FileChooser chooser (title, initial, patterns, true);
    return chooser.browseForFileToSave (warnAboutOverwriting) ? chooser.getResult() : juce::File();
}

void FrameworkModalDialogs::openAddress (const juce::String& address)
{
    quillet::launchUrlWithoutShell (address);
}
