#include "app/programtitle.h"

// OIDWRIGHT_VERSION is defined for this file alone, so that a new version rebuilds nothing else.
QString ProgramTitle() {
    return QString("Veltrane Oidwright V" OIDWRIGHT_VERSION " for Zelto 7 ");
}
