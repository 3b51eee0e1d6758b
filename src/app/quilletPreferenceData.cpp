#include "quilletPreferenceData.h"

quilletPreferenceData::quilletPreferenceData()
{
    // A folder that cannot be made is not reported: dialogs then start in the documents folder.
    GetProductDocumentsFolder().createDirectory();
}

juce::File quilletPreferenceData::GetProductDocumentsFolder()
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory)
        .getChildFile ("brackwater")
        .getChildFile ("quillet");
}
