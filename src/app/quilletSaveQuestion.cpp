#include "quilletSaveQuestion.h"

#include "ModalDialogs.h"
#include "quilletComponent.h"

juce::FileBasedDocument::SaveResult AskToSaveChangesIfNeeded (quilletComponent& document)
{
    if (!document.hasChangedSinceSaved())
        return juce::FileBasedDocument::savedOk;

    // The framework's own question, asked through the program's dialogs so that tests can answer it.
    const int answer = ModalDialogs::get().showYesNoCancelBox (
        juce::MessageBoxIconType::QuestionIcon, "Closing document...",
        "Do you want to save the changes to \"" + document.getDocumentTitle() + "\"?", "Save", "Discard changes",
        "Cancel");

    switch (answer)
    {
    case 1:
        // As the Save command does; a cancelled file choice counts as a save that did not happen.
        return document.SaveForSaveCommand() ? juce::FileBasedDocument::savedOk
                                             : juce::FileBasedDocument::failedToWriteToFile;
    case 2:
        return juce::FileBasedDocument::savedOk;
    default:
        return juce::FileBasedDocument::userCancelledSave;
    }
}
