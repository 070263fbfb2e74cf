// Any bytes read as a text file: the mark picks the decoding, the text splits into lines, and
// lines written back in the same format read back unchanged.
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
    const QStringList lines = SplitLines(DecodeText(QByteArrayView(bytes).sliced(mark.length), mark.format));

    const QString path = fuzz::ScratchDirectory() + QStringLiteral("input.txt");
    fuzz::WriteScratchFile(path, bytes);
    const auto file = ReadTextFile(path);
    if (!file || file->format != mark.format || file->lines != lines)
        std::abort();

    for (const QString &line : lines)
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            std::abort();

    fuzz::WriteScratchFile(path, EncodeLines(lines, mark.format));
    const auto again = ReadTextFile(path);
    if (!again || again->format != mark.format || again->lines != lines)
        std::abort();
    return 0;
}
