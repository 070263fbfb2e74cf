// Any bytes read as a text file: the mark (or, without one, the bytes) picks the decoding, the
// text splits into lines, and lines written back in the same format read back unchanged.
#include "base/text_encoding.h"
#include "fuzz_support.h"

#include <cstdlib>

using namespace quarvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    const ByteOrderMark mark = DetectByteOrderMark(bytes);
    if (mark.length < 0 || mark.length > bytes.size())
        std::abort();

    // A marked file is read in its mark's format; an unmarked one may also be UTF-16.
    const QString path = fuzz::ScratchDirectory() + QStringLiteral("input.txt");
    fuzz::WriteScratchFile(path, bytes);
    const auto file = ReadTextFile(path);
    if (!file || (mark.length > 0 && file->format != mark.format))
        std::abort();
    const QStringList lines = SplitLines(DecodeText(QByteArrayView(bytes).sliced(mark.length), file->format));
    if (file->lines != lines)
        std::abort();

    for (const QString &line : lines)
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            std::abort();

    const TextFormat written = FormatThatHolds(lines, file->format);
    fuzz::WriteScratchFile(path, EncodeLines(lines, written));
    const auto again = ReadTextFile(path);
    if (!again || again->format != written || again->lines != lines)
        std::abort();
    return 0;
}
