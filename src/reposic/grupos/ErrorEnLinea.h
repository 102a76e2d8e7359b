#pragma once

#include <QString>

#include <source_location>
#include <stdexcept>

namespace reposic {

// A failure of a statement together with the source line that ran it. The maintenance screens of
// groups put that line in front of their error titles, so support can tell which statement of a
// handler failed without a log.
class ErrorEnLinea : public std::runtime_error {
public:
    ErrorEnLinea(const char* mensaje, int linea) : std::runtime_error(mensaje), linea_(linea) {}
    int linea() const { return linea_; }

    // Runs `paso`; any failure leaves it as ErrorEnLinea with the line of the call.
    template <class Paso>
    static auto en(Paso&& paso, std::source_location donde = std::source_location::current())
    {
        try {
            return paso();
        } catch (const ErrorEnLinea&) {
            throw;
        } catch (const std::exception& e) {
            throw ErrorEnLinea(e.what(), static_cast<int>(donde.line()));
        }
    }

private:
    int linea_;
};

// "[line] title" when the failure knows its line (greater than 0), otherwise the title alone.
QString TituloError(const QString& titulo, const std::exception& error);

}  // namespace reposic
