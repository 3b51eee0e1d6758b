// A stand-in for the program in the single-instance tests:
//   platform_instance_probe <socket path> <record file> [command line]
// It either hands its command line to the running probe, or becomes the running probe: it writes "<record file>.ready",
// then appends each command line it is handed to the record file, each followed by a line feed (so an empty one
// shows), until it is handed "--quit". Exit status 10: handed over; 11: ran and was told to quit; 3: it could neither
// hand over nor listen. Success is never 0, which the framework's ChildProcess also reports for a death by a signal.
#include "SingleInstanceChannel.h"

#include <juce_events/juce_events.h>

int main (int argc, char* argv[])
{
    using Role = quillet::SingleInstanceChannel::Role;
    if (argc < 3)
        return 2;

    const juce::File record (juce::String::fromUTF8 (argv[2]));
    auto* messageManager = juce::MessageManager::getInstance();
    int status = 3;
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

        if (role == Role::running)
        {
            record.getSiblingFile (record.getFileName() + ".ready").create();
            messageManager->runDispatchLoop();
        }

        status = role == Role::handedOver ? 10 : role == Role::running ? 11 : 3;
    }

    juce::DeletedAtShutdown::deleteAll();
    juce::MessageManager::deleteInstance();
    return status;
}
