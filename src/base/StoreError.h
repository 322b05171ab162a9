#pragma once

#include <QString>
#include <stdexcept>

// Thrown by the store when a statement fails. The application-wide handler
// drops the action in progress; what was already written stays written.
class StoreError : public std::runtime_error
{
public:
    explicit StoreError(const QString &message) : std::runtime_error(message.toStdString()) {}
};
