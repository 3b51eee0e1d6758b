#pragma once

#include <juce_core/juce_core.h>

// The file helpers must warn the user without depending on the GUI: the program installs a handler that shows a
// warning box, tests install one that records. The default writes a debug line.
using MyFileAlertHandler = void (*) (const juce::String& title, const juce::String& message);

// Installs the handler; nullptr restores the default.
void my_bw_SetFileAlertHandler (MyFileAlertHandler handler);

// Passes a warning to the installed handler.
void my_bw_ShowFileAlert (const juce::String& title, const juce::String& message);
