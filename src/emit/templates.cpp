#include "emit/templates.h"

#include <QFile>

static void InitTemplateResources()
{
    Q_INIT_RESOURCE(templates);
}

namespace quarvel {

static QString ReadTemplate(const char *name)
{
    InitTemplateResources();
    QFile file(QStringLiteral(":/templates/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Quarvel: template %s is missing from the build", name);
    return QString::fromUtf8(file.readAll());
}

const QString &MainTemplate()
{
    static const QString text = ReadTemplate("Main.pb");
    return text;
}

const QString &EventMainSelectTemplate()
{
    static const QString text = ReadTemplate("EventMainSelect.pb");
    return text;
}

const QString &EventMainCallFastTemplate()
{
    static const QString text = ReadTemplate("EventMainCallFast.pb");
    return text;
}

const QString &LoadLanguageTemplate()
{
    static const QString text = ReadTemplate("LoadLanguage.pb");
    return text;
}

} // namespace quarvel
