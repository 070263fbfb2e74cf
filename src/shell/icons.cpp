#include "shell/icons.h"

#include "ui/png_image.h"

#include <QFile>
#include <QPixmap>

namespace quarvel {

IconSet LoadIcons()
{
    IconSet icons;
    for (size_t number = 0; number < icons.size(); ++number) {
        for (const char *suffix : {"", "@32", "@48"}) {
            QFile file(
                QStringLiteral(":/icons/icon%1%2.png").arg(number, 2, 10, QLatin1Char('0')).arg(QLatin1String(suffix)));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QImage image = DecodePng(file.readAll());
            if (!image.isNull())
                icons[number].addPixmap(QPixmap::fromImage(image));
        }
    }
    return icons;
}

} // namespace quarvel
