#include "emit/image_section.h"

#include "base/basic_strings.h"
#include "base/statement_scan.h"
#include "model/design_model.h"
#include "model/switches.h"

#include <QStringBuilder>

#include <algorithm>

namespace quarvel {

// The extension of a file name: the text after its last ".", empty without one.
static QStringView Extension(const QString &file)
{
    const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QStringView() : QStringView(file).sliced(dot + 1);
}

// Whether an extension, upper-cased as UpperKeepLength does, is the upper-case one given.
static bool IsExtension(QStringView extension, QStringView upper)
{
    if (extension.size() != upper.size())
        return false;
    for (qsizetype i = 0; i < upper.size(); ++i) {
        if (UpperChar(extension[i]) != upper[i])
            return false;
    }
    return true;
}

// One decoder group per image format, each emitted once, always in this order.
// Each image's extension is compared in place with the groups' not yet found: a set of the
// extensions upper-cased cost an unchanged regeneration of 200 x 100 (bench/make_project.py)
// 1.1 M instructions more.
static void AppendDecoders(SourceLineList &out, const QList<ImageRecord> &images)
{
    struct DecoderGroup {
        QStringList extensions;
        QStringList lines;
    };
    static const DecoderGroup groups[] = {
        {{QStringLiteral("JPG"), QStringLiteral("JPEG")},
         {QStringLiteral("UseJPEGImageDecoder()"), QStringLiteral("UseJPEG2000ImageDecoder()")}},
        {{QStringLiteral("PNG")}, {QStringLiteral("UsePNGImageDecoder()")}},
        {{QStringLiteral("TIF"), QStringLiteral("TIFF")}, {QStringLiteral("UseTIFFImageDecoder()")}},
        {{QStringLiteral("TGA")}, {QStringLiteral("UseTGAImageDecoder()")}},
    };
    bool present[std::size(groups)] = {};
    for (const ImageRecord &image : images) {
        const QStringView extension = Extension(image.file);
        for (size_t g = 0; g < std::size(groups); ++g) {
            present[g] = present[g]
                         || std::any_of(groups[g].extensions.cbegin(), groups[g].extensions.cend(),
                                        [&](const QString &known) { return IsExtension(extension, known); });
        }
    }
    bool any = false;
    for (size_t g = 0; g < std::size(groups); ++g) {
        if (present[g]) {
            out << groups[g].lines;
            any = true;
        }
    }
    if (any)
        out << QString();
}

// The data label of an included image: its constant without the "#". An identifier without
// "#" (a plain number) cannot be a label, so it gets a name of its own made of label
// characters only.
QString ImageDataLabel(const QString &written)
{
    const QString name = TrimBlanks(written);
    if (name.startsWith(QLatin1Char('#')))
        return name.sliced(1);
    QString label = QStringLiteral("MyImageData_") + name;
    for (QChar &c : label) {
        if (!IsIdentifierChar(c))
            c = QLatin1Char('_');
    }
    return label;
}

// An image the sources catch from a DataSection label of their own is caught from there.
static QString CatchFromLabel(const ImageRecord &image, const QString &label)
{
    return QLatin1StringView("CatchImage(") % image.name % QLatin1StringView(", ?") % label % QLatin1Char(')');
}

static void AppendLoadImages(SourceLineList &out, const QList<ImageRecord> &images)
{
    out << QStringLiteral(";- Load Images");
    for (const ImageRecord &image : images) {
        if (!image.label.isEmpty())
            out << CatchFromLabel(image, image.label);
        else
            out << QString(QLatin1StringView("LoadImage(") % image.name % QLatin1StringView(", \"") % image.file
                           % QLatin1StringView("\")"));
    }
    out << QString();
}

static void AppendCatchImages(SourceLineList &out, const QList<ImageRecord> &images)
{
    out << QStringLiteral(";- Catch Images");
    for (const ImageRecord &image : images)
        out << CatchFromLabel(image, image.label.isEmpty() ? ImageDataLabel(image.name) : image.label);
    out << QString() << QStringLiteral(";- Images") << QStringLiteral("DataSection");
    for (const ImageRecord &image : images) {
        if (!image.label.isEmpty())
            continue; // its data stays in the sources' own DataSection
        out << QString(QLatin1StringView("  ") % ImageDataLabel(image.name) % QLatin1Char(':'));
        out << QString(QLatin1StringView("  IncludeBinary \"") % image.file % QLatin1Char('"'));
    }
    out << QStringLiteral("EndDataSection");
}

void EmitImageSection(const DesignModel &model, const Switches &switches, OutputLines &output)
{
    SourceLineList &out = output.ImageLines;
    const QList<ImageRecord> &images = model.ImageList;
    out << QStringLiteral(";- Image Plugin") << QString();
    AppendDecoders(out, images);
    if (switches.Image_Include)
        AppendCatchImages(out, images);
    else
        AppendLoadImages(out, images);
}

} // namespace quarvel
