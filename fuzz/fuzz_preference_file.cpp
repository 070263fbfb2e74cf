// Any bytes read as a preference file, searched, changed and written back.
#include "fuzz_support.h"
#include "project/preference_file.h"

using namespace quarvel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzz::Bytes(data, size);
    PreferenceFile::Parse(PreferenceFile::Text(PreferenceFile::Parse(bytes)));

    const QString path = fuzz::ScratchDirectory() + QStringLiteral("QL4.INI");
    fuzz::WriteScratchFile(path, bytes);
    PreferenceFile file;
    if (file.Open(path)) {
        file.SelectGroup(QStringLiteral("Path"));
        file.Read(QStringLiteral("LastPath"), QString());
        file.Write(QStringLiteral("LastPath"), QStringLiteral("/tmp/"));
        file.SelectGroup(QString());
        file.Read(QStringLiteral("Parend"), QStringLiteral("1"));
        file.SelectGroup(QStringLiteral("Unknown"));
        file.Write(QStringLiteral("Key"), QStringLiteral("Value"));
        file.Close();
    }
    return 0;
}
