// libFuzzer target over the document reader: any bytes are read as a ".quillet" file and as an imported text file.
// Besides the sanitizers' checks, two properties must hold: what was read comes back unchanged after a write and a
// read, and an import's paragraphs together are exactly its lines.
#include "quilletDocumentFile.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace
{
bool sameContent (const quilletDocumentFile::Content& a, const quilletDocumentFile::Content& b)
{
    for (int i = 0; i < 3; ++i)
        if (a.ideaTexts[i] != b.ideaTexts[i])
            return false;

    return a.history == b.history && a.rules == b.rules && a.lyricText == b.lyricText;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size >= (size_t)INT_MAX)
        return 0;

    // An exactly sized copy with the zero byte behind it that a whole-file buffer has; AddressSanitizer catches
    // any read beyond it.
    std::unique_ptr<unsigned char[]> buffer (new unsigned char[size + 1]);
    if (size > 0)
        std::memcpy (buffer.get(), data, size);
    buffer[size] = 0;

    quilletDocumentFile::Content content;
    quilletDocumentFile::Read (buffer.get(), (int)size, content);

    const std::string written = quilletDocumentFile::Write (content);
    quilletDocumentFile::Content reread;
    quilletDocumentFile::Read (reinterpret_cast<const unsigned char*> (written.c_str()), (int)written.size(), reread);

    if (!sameContent (content, reread))
        std::abort();

    const auto imported =
        quilletDocumentFile::SplitImportedText (quilletDocumentFile::StringFromTextFileBytes (data, size));

    if (imported.paragraphs.joinIntoString ({}) != imported.allLines)
        std::abort();

    return 0;
}
