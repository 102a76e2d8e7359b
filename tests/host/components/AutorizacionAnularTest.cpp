// The supervisor key at the annulment prompt: both forms of key, and the lock after three
// wrong ones, shared by every workstation through the database.
#include "host/ClaveSupervisor.h"
#include "host/Reloj.h"
#include "host/components/AutorizacionAnular.h"
#include "platform/ui/ModalScript.h"
#include "platform/ui/MsgBoxScript.h"
#include "support/DatosFixture.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

namespace {

class AutorizacionTest : public testsupport::DatosFixture {
protected:
    AutorizacionTest()
    {
        host::Reloj::fijar(QDateTime(QDate(2026, 12, 5), QTime(10, 0)));
        empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("7"));
    }

    void clave(const QString& valor)
    {
        empresa_->setParametro(QString::fromLatin1(host::AutorizacionAnular::kParametroClave),
                               valor);
    }
    // One authorisation on `conexion` (another workstation when given) with `tecleada` typed.
    bool autorizar(const QString& tecleada, db::ConnectionPtr conexion = nullptr)
    {
        modales.then([tecleada](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("txtClave"))->setText(tecleada);
            d.findChild<QPushButton*>(QStringLiteral("cmdAceptar"))->click();
        });
        host::AutorizacionAnular a;
        a.setConexion(conexion ? conexion : conn());
        a.setEmpresa(empresa_);
        return a.Autorizar();
    }
    void a_las(int hora, int minuto)
    {
        host::Reloj::fijar(QDateTime(QDate(2026, 12, 5), QTime(hora, minuto)));
    }
    long long rechazos(int operacion)
    {
        return count("Log_Operaciones", QStringLiteral("TipoDocumento = 90 AND Operacion = %1"
                                                       " AND Cod_Usuario = 7").arg(operacion));
    }

    ui::MsgBoxScript mensajes;
    ui::ModalScript modales;
};

}  // namespace

TEST_F(AutorizacionTest, aHashedAndAPlainKeyAreEachAccepted)
{
    clave(host::ClaveSupervisor::cifrar(QStringLiteral("s3cr;=to")));
    EXPECT_TRUE(autorizar(QStringLiteral("s3cr;=to")));
    clave(QStringLiteral("1234"));
    EXPECT_TRUE(autorizar(QStringLiteral("1234")));
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();

    // A damaged hash cannot be checked: no prompt, no count against the user.
    clave(QStringLiteral("pbkdf2-sha256$1000$00ff00ff00ff00ff$00"));
    host::AutorizacionAnular a;
    a.setConexion(conn());
    a.setEmpresa(empresa_);
    EXPECT_FALSE(a.Autorizar());
    EXPECT_EQ(modales.count(), 2);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("no es válida")));
    EXPECT_EQ(count("Seguridad_IntentosClave", "Fallos > 0"), 0);
}

TEST_F(AutorizacionTest, threeWrongKeysLockTheUserEverywhereForFifteenMinutes)
{
    clave(host::ClaveSupervisor::cifrar(QStringLiteral("buena")));
    a_las(10, 0);
    EXPECT_FALSE(autorizar(QStringLiteral("mala1")));
    a_las(10, 5);
    EXPECT_FALSE(autorizar(QStringLiteral("mala2")));
    EXPECT_EQ(mensajes.last().text, QStringLiteral("Clave de supervisor incorrecta"));
    a_las(10, 14);
    EXPECT_FALSE(autorizar(QStringLiteral("mala3")));
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("bloqueadas hasta las 10:29")))
        << mensajes.last().text.toStdString();

    // Another workstation, the right key: refused without even asking for it.
    const auto otroPuesto = db::Connection::openShared(db_.connectionString());
    a_las(10, 20);
    const int dialogos = modales.count();
    host::AutorizacionAnular a;
    a.setConexion(otroPuesto);
    a.setEmpresa(empresa_);
    EXPECT_FALSE(a.Autorizar());
    EXPECT_EQ(modales.count(), dialogos);
    EXPECT_TRUE(mensajes.last().text.contains(QStringLiteral("bloqueadas hasta las 10:29")));

    // Another user is not held by this user's mistakes.
    empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("8"));
    EXPECT_TRUE(autorizar(QStringLiteral("buena")));
    empresa_->setParametro(QStringLiteral("UsuarioActual"), QStringLiteral("7"));

    a_las(10, 29);
    EXPECT_TRUE(autorizar(QStringLiteral("buena"), otroPuesto));

    // Every refusal is in the operation log with user, workstation and time; no key typed is.
    EXPECT_EQ(rechazos(1), 3);
    EXPECT_EQ(rechazos(2), 1);
    EXPECT_EQ(count("Log_Operaciones", "Hora = '10:20:00' AND Comentario LIKE '%puesto %'"), 1);
    EXPECT_EQ(count("Log_Operaciones", "Comentario LIKE '%mala%' OR Comentario LIKE '%buena%'"),
              0);
    EXPECT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
}

TEST_F(AutorizacionTest, wrongKeysFurtherApartThanTheWindowOrClearedByARightOneDoNotLock)
{
    clave(QStringLiteral("1234"));
    a_las(9, 0);
    EXPECT_FALSE(autorizar(QStringLiteral("1")));
    a_las(9, 10);
    EXPECT_FALSE(autorizar(QStringLiteral("2")));
    a_las(9, 16);  // the first is now more than 15 minutes old: the count starts again
    EXPECT_FALSE(autorizar(QStringLiteral("3")));
    a_las(9, 17);
    EXPECT_FALSE(autorizar(QStringLiteral("4")));
    EXPECT_TRUE(autorizar(QStringLiteral("1234")));
    EXPECT_FALSE(autorizar(QStringLiteral("5")));
    EXPECT_TRUE(autorizar(QStringLiteral("1234")));
    EXPECT_EQ(rechazos(2), 0);
    EXPECT_TRUE(modales.problems().isEmpty()) << modales.problems().join('\n').toStdString();
}
