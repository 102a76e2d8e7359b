#pragma once

#include <QString>

#include <stdexcept>

namespace report {

// The one exception of the report layer: a missing or malformed report file, a report without a
// log-on, a bad parameter or selection formula, a printer that cannot be opened. what() is the
// text the screens put in their message box, and it names the report file involved.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromStdString(what()); }
};

}  // namespace report
