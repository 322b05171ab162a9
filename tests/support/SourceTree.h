#pragma once

#include <QString>

// A file of the checkout the tests were built from ("data/schema.sql").
// Only the support library knows where the checkout stands, so the test
// sources compile the same in every checkout.
QString sourceTreePath(const QString &relative);
