#pragma once

#include <juce_gui_extra/juce_gui_extra.h>

class quilletComponent;

/** The one question asked before a changed document goes away, whatever the route: the Close command, a floating
    document window's close button, the main window's close button and Quit.

    An unchanged document is not asked. Otherwise the user chooses "Save" (the document saves itself as the Save
    command does), "Discard changes" or "Cancel". The result is savedOk when the document may go (unchanged, saved,
    or its changes discarded), userCancelledSave when the user cancelled and failedToWriteToFile when saving failed
    or was given up. */
juce::FileBasedDocument::SaveResult AskToSaveChangesIfNeeded (quilletComponent& document);
