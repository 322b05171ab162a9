#include "SourceTree.h"

QString sourceTreePath(const QString &relative)
{
    return QStringLiteral(DRILLBAY_SOURCE_DIR "/") + relative;
}
