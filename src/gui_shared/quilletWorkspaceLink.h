#pragma once

#include <juce_core/juce_core.h>

/** The few workspace operations the editors call back: applying a rule taken
    from a lyric's shape, and marking the document changed. The workspace
    (quilletComponent) implements it; editor tests use a stand-in. */
class quilletWorkspaceLink
{
public:
    virtual ~quilletWorkspaceLink() = default;

    /** Derives the rule from the lyric text's shape, shows it in the rule box and applies it. */
    virtual void SetRuleGivenThisText (const juce::String& lyricText) = 0;

    /** Marks the document as changed (FileBasedDocument::changed on the workspace). */
    virtual void MarkDocumentChanged() = 0;
};
