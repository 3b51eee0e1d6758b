// A stand-in for the program in the single-instance tests:
//   platform_instance_probe <socket path> <record file> [command line]
// It either hands its command line to the running probe and exits with 0, or becomes the running probe: it writes
// "<record file>.ready", then appends each command line it is handed to the record file, each followed by a line feed
// (so an empty one shows), until it is handed "--quit". Exit status 3: it could neither hand over nor listen.
#include "SingleInstanceChannel.h"

#include <juce_events/juce_events.h>

int main (int argc, char* argv[])
{
    if (argc < 3)
        return 2;

    const juce::File record (juce::String::fromUTF8 (argv[2]));
    auto* messageManager = juce::MessageManager::getInstance();
    int status = 0;
    {
        quillet::SingleInstanceChannel channel (juce::String::fromUTF8 (argv[1]));
        const auto role = channel.handOverOrListen (argc > 3 ? juce::String::fromUTF8 (argv[3]) : "",
                                                    [&] (const juce::String& received)
                                                    {
                                                        juce::FileOutputStream out (record);
                                                        out.write (received.toRawUTF8(), received.getNumBytesAsUTF8());
                                                        out.writeByte ('\n');
                                                        out.flush();
                                                        if (received == "--quit")
                                                            messageManager->stopDispatchLoop();
                                                    });

        if (role == quillet::SingleInstanceChannel::Role::running)
        {
            record.getSiblingFile (record.getFileName() + ".ready").create();
            messageManager->runDispatchLoop();
        }

        status = role == quillet::SingleInstanceChannel::Role::alone ? 3 : 0;
    }

    juce::DeletedAtShutdown::deleteAll();
    juce::MessageManager::deleteInstance();
    return status;
}
