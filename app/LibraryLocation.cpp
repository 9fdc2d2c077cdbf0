#include "app/LibraryLocation.h"

#include <QDir>

QString DefaultLibraryFile(const QString& programFolder)
{
    QDir suite(programFolder);
    suite.cdUp();
    return suite.filePath(QStringLiteral("Common Files/RefLib8.rdf"));
}
