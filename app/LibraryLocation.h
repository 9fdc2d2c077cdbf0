#pragma once

#include <QString>

// The refrigerant library file in the suite's shared data folder:
// <suite>/Common Files/RefLib8.rdf, where the program lives in <suite>/Vellox/.
QString DefaultLibraryFile(const QString& programFolder);
