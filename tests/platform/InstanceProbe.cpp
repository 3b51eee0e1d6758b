// A stand-in for the program in the single-instance tests:
//   platform_instance_probe <socket path> <record file> [command line]
// It either hands its command line to the running probe and exits with 0, or
// becomes the running probe: it writes "<record file>.ready" with its process
// id, then appends each command line it is handed to the record file, each
// followed by a NUL byte (so an empty one shows), until it is handed "--quit".
// Exit status 3: it could neither hand over nor listen.
#include "SingleInstanceChannel.h"

#include <juce_events/juce_events.h>

#include <unistd.h>

int main (int argc, char* argv[])
{
    if (argc < 3)
        return 2;

    const auto socketPath = juce::String (juce::CharPointer_UTF8 (argv[1]));
    const auto record = juce::File (juce::String (juce::CharPointer_UTF8 (argv[2])));
    const juce::String commandLine = argc > 3 ? juce::String (juce::CharPointer_UTF8 (argv[3])) : juce::String();

    auto* messageManager = juce::MessageManager::getInstance();
    int status = 0;

    {
        quillet::SingleInstanceChannel channel (socketPath);
        const auto role = channel.handOverOrListen (commandLine,
                                                    [record, messageManager] (const juce::String& received)
                                                    {
                                                        juce::FileOutputStream out (record);
                                                        out.write (received.toRawUTF8(), received.getNumBytesAsUTF8());
                                                        out.writeByte (0);
                                                        out.flush();

                                                        if (received == "--quit")
                                                            messageManager->stopDispatchLoop();
                                                    });

        if (role == quillet::SingleInstanceChannel::Role::running)
        {
            record.getSiblingFile (record.getFileName() + ".ready")
                .replaceWithText (juce::String ((int)getpid()), false, false, "\n");
            messageManager->runDispatchLoop();
        }
        else if (role == quillet::SingleInstanceChannel::Role::alone)
        {
            status = 3;
        }
    }

    juce::DeletedAtShutdown::deleteAll();
    juce::MessageManager::deleteInstance();
    return status;
}
