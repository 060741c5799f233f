#pragma once

#include "framework/Export.h"

#include <QString>
#include <stdexcept>

namespace framework {

// Base of every error the system raises on purpose; carries the text shown to the user.
class STUDIOCLOCK_FRAMEWORK_EXPORT Exception : public std::runtime_error {
public:
    explicit Exception(const QString& message)
        : std::runtime_error(message.toStdString())
    {
    }
    QString Message() const { return QString::fromStdString(what()); }
};

// Integer arithmetic that would wrap.
class STUDIOCLOCK_FRAMEWORK_EXPORT EIntOverflow : public Exception {
public:
    EIntOverflow()
        : Exception(QStringLiteral("Integer overflow"))
    {
    }
};

// A value that does not fit the range of the type it is stored in. Where the check knows which
// values fit, it says so in Allowed() ("0 to 23"), for whoever reports the error to a person.
class STUDIOCLOCK_FRAMEWORK_EXPORT ERangeError : public Exception {
public:
    explicit ERangeError(QString allowed = QString())
        : Exception(QStringLiteral("Range check error"))
        , allowed_(std::move(allowed))
    {
    }
    QString Allowed() const { return allowed_; }

private:
    QString allowed_;
};

// A floating-point value with no integer counterpart (NaN, infinity).
class STUDIOCLOCK_FRAMEWORK_EXPORT EInvalidOp : public Exception {
public:
    EInvalidOp()
        : Exception(QStringLiteral("Invalid floating point operation"))
    {
    }
};

// A stored layout or form that cannot be read.
class STUDIOCLOCK_FRAMEWORK_EXPORT EReadError : public Exception {
public:
    using Exception::Exception;
};

// A system resource (a timer, a thread) could not be obtained.
class STUDIOCLOCK_FRAMEWORK_EXPORT EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

}  // namespace framework
