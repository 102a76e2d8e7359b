#pragma once

#include "support/PantallaFixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRegularExpression>

// The groups screens' world: a provisioning group or two, and helpers that play the user of
// their data dialogs.
class GruposFixture : public testsupport::PantallaFixture {
protected:
    void aprov(int codigo, const QString& nombre, int tipo = 0)
    {
        conn()->execute(
            QStringLiteral("INSERT INTO Reposicion_Grp_Aprovisionamiento (Cod_Empresa,"
                           " Cod_Aprov, Nombre, TipoFichero_Propuesta) VALUES (1, %1, '%2', %3)")
                .arg(codigo)
                .arg(nombre)
                .arg(tipo));
    }
    void grupo(int codigo, const QString& nombre, int aprovisionamiento)
    {
        conn()->execute(QStringLiteral("INSERT INTO Reposicion_Grp (Cod_Empresa, Cod_Grupo, Nombre,"
                                       " Cod_Aprov) VALUES (1, %1, '%2', %3)")
                            .arg(codigo)
                            .arg(nombre)
                            .arg(aprovisionamiento));
    }
    // The user `usuario` in security group `seguridad`, which may use provisioning group `aprov`.
    void permiso(int usuario, int seguridad, int aprovisionamiento)
    {
        conn()->execute(
            QStringLiteral("INSERT OR IGNORE INTO SGD_Usuarios_Grupos (CodGrupo, CodUsuario)"
                           " VALUES (%1, %2)")
                .arg(seguridad)
                .arg(usuario));
        conn()->execute(
            QStringLiteral("INSERT INTO SGD_Aprovisionamiento_Grupos (Cod_Empresa, Cod_Grupo,"
                           " Cod_Aprov) VALUES (1, %1, %2)")
                .arg(seguridad)
                .arg(aprovisionamiento));
    }

    // A dialog answer: types the texts into the named line edits and presses the button.
    static ui::ModalHandler responder(QList<QPair<QString, QString>> textos,
                                      const QString& boton = QStringLiteral("cmdAceptar"))
    {
        return [textos, boton](QDialog& d) {
            for (const auto& t : textos)
                d.findChild<QLineEdit*>(t.first)->setText(t.second);
            d.findChild<QAbstractButton*>(boton)->click();
        };
    }
    static ui::ModalHandler nombre(const QString& texto)
    {
        return responder({{QStringLiteral("txtNombre"), texto}});
    }

    static bool tituloConLinea(const QString& titulo, const QString& procedimiento)
    {
        return QRegularExpression(QStringLiteral("^\\[\\d+\\] ")
                                  + QRegularExpression::escape(procedimiento) + QLatin1Char('$'))
            .match(titulo)
            .hasMatch();
    }
};
