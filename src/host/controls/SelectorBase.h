#pragma once

#include "host/Empresa.h"
#include "platform/db/Connection.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace host {

// What every picker of the host shares: a code typed in a line edit (`txtCodigo`), the name
// found shown in a label (`lblNombre`), and a button (`cmdBuscar`) or F4 that opens the
// searchable list. The screen that places a picker gives it its objectName and its context
// (company object, connection, current user) at load.
//
// Looking up: Enter, leaving the field, choosing from the list, or an explicit cargar() look the
// text up. Every read of the result (valido(), nombre(), the code) first looks the text up again
// if it changed since the last look-up, so a screen never acts on the name of a code that is no
// longer typed. Explicit calls pass db::Error to the screen's handler; look-ups the user starts
// catch it, leave the picker invalid and show the message in the label.
//
// cambio() is raised once each time the code changes (a new code found or typed, or cleared);
// teclaPulsada() after Enter has been looked up (13) and for every other typed character;
// activando() when the picker is about to be used (focus, list, Enter), so a screen can hand it
// the codes it depends on first.
class SelectorBase : public QWidget {
    Q_OBJECT

public:
    explicit SelectorBase(QWidget* parent = nullptr);
    ~SelectorBase() override;

    void setEmpresa(std::shared_ptr<Empresa> empresa) { empresa_ = std::move(empresa); }
    std::shared_ptr<Empresa> empresa() const { return empresa_; }
    void setConexion(db::ConnectionPtr conexion) { conexion_ = std::move(conexion); }
    db::ConnectionPtr conexion() const { return conexion_; }
    void setUsuario(int16_t usuario) { usuario_ = usuario; }
    int16_t usuario() const { return usuario_; }
    void setContexto(std::shared_ptr<Empresa> empresa, db::ConnectionPtr conexion,
                     int16_t usuario = 0);

    // The text as typed (the input text). Writing it does not look it up yet.
    QString texto() const;
    void setTexto(const QString& texto);

    bool valido();
    QString nombre();

    // Looks the text up now (also when it did not change: a name may have changed meanwhile).
    void cargar();
    void refrescar() { cargar(); }
    // Empties the picker: no text, no name, not valid; raises cambio() if a code was held.
    void reiniciar();
    void limpiar() { reiniciar(); }
    void seleccionarTexto();
    // Opens the searchable list; a row chosen becomes the text and is looked up.
    void abrirLista();

    bool editable() const { return editable_; }
    void setEditable(bool editable);
    // Display option: when on, a code that names nothing says so in the label.
    bool mostrarAviso() const { return mostrarAviso_; }
    void setMostrarAviso(bool mostrar);

    QLineEdit* lineaTexto() const { return txtCodigo_; }
    QString ultimoError() const { return ultimoError_; }

signals:
    void cambio();
    void teclaPulsada(int tecla);
    void activando();

protected:
    struct Encontrado {
        QString codigo;  // as the picker shows it after the look-up
        QString nombre;
    };

    // Whether Enter, once looked up, moves on to the next field as it does from a text field.
    virtual bool avanzaConIntro() const { return false; }

    // Looks the (trimmed, not empty) text up on the connection; nullopt when it names nothing.
    virtual std::optional<Encontrado> buscar(const QString& texto) = 0;
    virtual QString tituloLista() const = 0;
    // The statement of the searchable list (columns Codigo, Nombre) for a filter, or empty when
    // the picker cannot list yet (an upper family level not chosen).
    virtual QString consultaLista(const QString& filtro) const = 0;
    // True when the context needed for a look-up is in place.
    virtual bool contextoListo() const { return conexion_ && empresa_; }

    // The code last found, empty when the text names nothing.
    QString codigoEncontrado();
    // Looks the text up if it changed since the last look-up.
    void asegurarCargado();
    // Sets the text and looks it up at once when the context is there (a code set by a screen).
    void fijarCodigo(const QString& texto);
    // Filter condition shared by the lists: a name containing the filter or a code starting by it.
    // "SELECT TOP n": the lists read no more rows than the dialog shows.
    static QString selectLista();
    static QString condicionFiltro(const QString& columnaCodigo, const QString& columnaNombre,
                                   const QString& filtro);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cargarDesdeUsuario();
    void aplicar(const QString& texto, const std::optional<Encontrado>& encontrado);
    void mostrarEstado();

    std::shared_ptr<Empresa> empresa_;
    db::ConnectionPtr conexion_;
    int16_t usuario_ = 0;

    QLineEdit* txtCodigo_;
    QToolButton* cmdBuscar_;
    QLabel* lblNombre_;

    bool cargado_ = false;     // the text has been looked up since it last changed
    QString textoCargado_;     // the text at the last look-up
    QString codigo_;           // code found, empty when none
    QString nombre_;
    QString claveNotificada_;  // the code as last reported through cambio()
    bool editable_ = true;
    bool mostrarAviso_ = false;
    QString ultimoError_;
};

}  // namespace host
