#include "my_bw_file_alert.h"

#include <atomic>

namespace
{
void logAlert (const juce::String& title, const juce::String& message)
{
    juce::Logger::outputDebugString (title + ": " + message);
}

std::atomic<MyFileAlertHandler> currentHandler{&logAlert};
} // namespace

void my_bw_SetFileAlertHandler (MyFileAlertHandler handler)
{
    currentHandler = handler != nullptr ? handler : &logAlert;
}

void my_bw_ShowFileAlert (const juce::String& title, const juce::String& message)
{
    currentHandler.load() (title, message);
}
