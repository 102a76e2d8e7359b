#pragma once

#include "host/controls/SelectorBase.h"

#include <cstdint>

namespace host {

// Article picker: an article of the article master (`Articulos` by CodigoEmpresaArticulos).
// The text may also be a bar code of `Articulos_CBarras`: an article code is tried first, then
// a bar code, and a bar code found is replaced by its article's code, so what the screen reads
// afterwards is always the article code.
class SelectorArticulo : public SelectorBase {
    Q_OBJECT

public:
    explicit SelectorArticulo(QWidget* parent = nullptr);

    // The code as a number (0 when the text holds none).
    int32_t codigo();
    void setCodigo(int32_t codigo);
    // The code as text: the code found, or the text as typed when it names nothing.
    QString codigoTexto();
    void setCodigoTexto(const QString& codigo);
    QString descripcion() { return nombre(); }

protected:
    std::optional<Encontrado> buscar(const QString& texto) override;
    QString tituloLista() const override;
    QString consultaLista(const QString& filtro) const override;
};

}  // namespace host
