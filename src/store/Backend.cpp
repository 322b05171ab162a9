#include "store/Backend.h"

Backend backendOf(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String("QPSQL") ? Backend::Server : Backend::File;
}
