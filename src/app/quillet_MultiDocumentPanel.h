#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The document panel of the main window: every open document is a tab or a floating window. It draws the product
    logo in the middle of its background, and asks about unsaved changes before any document is closed. */
class quillet_MultiDocumentPanel : public juce::MultiDocumentPanel
{
public:
    quillet_MultiDocumentPanel();
    ~quillet_MultiDocumentPanel() override;

    void paint (juce::Graphics& g) override;

    /** Asks about unsaved changes (see AskToSaveChangesIfNeeded); true when the document may close. */
    bool tryToCloseDocument (juce::Component* component) override;

    /** The route of a floating document window's close button: the same question. */
    void tryToCloseDocumentAsync (juce::Component* component, std::function<void (bool)> callback) override;

    /** Closes a document whose changes the caller has already asked about, so the user is not asked twice. */
    bool CloseDocumentAlreadyAsked (juce::Component* component);

    std::unique_ptr<juce::Drawable> logoDrawable;

private:
    juce::Component* mp_documentAlreadyAsked = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (quillet_MultiDocumentPanel)
};
