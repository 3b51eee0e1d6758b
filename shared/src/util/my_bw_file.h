#pragma once

// Whole-file reading and safe whole-file writing.

#include "MyFileReader.h"
#include "MySafeFileOutputStream.h"

// A new stream on the file, owned by the caller, or nullptr. When a file already exists there but cannot be
// replaced, warns "File could not be replaced" through the file-alert handler and returns nullptr. Callers write,
// then report a failure if Commit() returns false.
MySafeFileOutputStream* MyOpenFileForWriting (const juce::String& fullPath);

// A new input stream on the file, owned by the caller, or nullptr. size is set when the file exists and its size
// fits an int; a file of 2 GiB or more gives nullptr and leaves size alone.
juce::FileInputStream* MyOpenFileForReading (const juce::String& fullPath, int& size);

// A new buffer (malloc) with the whole file and a zero byte behind it, or nullptr; size is set to the byte count.
unsigned char* my_bw_file_load (const juce::String& fullPath, int& size);
