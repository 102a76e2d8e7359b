#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;

namespace host {

// Level options: five ticks (`chkNivel1` ... `chkNivel5`) for the family levels a report breaks
// down by. Each has a caption (shown; an option without caption is hidden), a text the caller
// keeps with it, and its ticked state. Options are numbered 1 to 5; another number throws
// std::out_of_range.
class OpcionesNivel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kOpciones = 5;

    explicit OpcionesNivel(QWidget* parent = nullptr);

    QString caption(int opcion) const;
    void setCaption(int opcion, const QString& caption);
    QString texto(int opcion) const;
    void setTexto(int opcion, const QString& texto);
    bool marcado(int opcion) const;
    void setMarcado(int opcion, bool marcado);

signals:
    void cambio(int opcion);

private:
    QCheckBox* opcion(int numero) const;

    std::array<QCheckBox*, kOpciones> casillas_{};
    std::array<QString, kOpciones> textos_{};
};

}  // namespace host
