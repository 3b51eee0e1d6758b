#pragma once

#include <juce_core/juce_core.h>

/** Makes sure the product documents folder exists, so that file dialogs can start there. */
class quilletPreferenceData
{
public:
    quilletPreferenceData();
    virtual ~quilletPreferenceData() = default;

    /** The user's documents folder, then "brackwater", then "quillet". */
    static juce::File GetProductDocumentsFolder();

private:
    JUCE_DECLARE_NON_COPYABLE (quilletPreferenceData)
};
