#include "host/EmpresaMemoria.h"
#include "host/ParametroError.h"
#include "reposic/frame/FormBase.h"
#include "reposic/frame/LanzadorRegistro.h"
#include "reposic/frame/ValorTexto.h"
#include "reposic/frame/frmclsBase.h"
#include "reposic/frame/modComun.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace reposic;

namespace {

class FormPrueba : public FormBase {
public:
    static inline int creados = 0;
    FormPrueba() { ++creados; }
    int extra = 0;
    int descargas = 0;

protected:
    void Form_Unload() override { ++descargas; }
};

// A launcher with one extra member, as frmclsRepGrupos hands Cod_Aprov to its form.
class frmclsPrueba : public frmclsBase {
public:
    static void registrar();
    int Extra = 0;

protected:
    FormBase* crearFormulario() override { return new FormPrueba; }
    void pasarMiembros(FormBase& form) override { static_cast<FormPrueba&>(form).extra = Extra; }
};

class frmclsSinLogin : public frmclsPrueba {
protected:
    bool leerDatosConexion() const override { return false; }
};

// Records which parameters are asked for, in order.
class EmpresaEspia : public host::EmpresaMemoria {
public:
    mutable QStringList leidos;
    QVariant Parametro(const QString& nombre) const override
    {
        leidos << nombre;
        return EmpresaMemoria::Parametro(nombre);
    }
};

std::shared_ptr<EmpresaEspia> empresaCompleta(const QVariant& usuario = QStringLiteral("7"))
{
    auto e = std::make_shared<EmpresaEspia>();
    e->setParametro(QStringLiteral("ODBCNombre"), QStringLiteral("SRV"));
    e->setParametro(QStringLiteral("ODBCBaseDatos"), QStringLiteral("Calbra"));
    e->setParametro(QStringLiteral("ODBCUsuario"), QStringLiteral("sa"));
    e->setParametro(QStringLiteral("ODBCPassword"), QStringLiteral("x'y"));
    e->setParametro(QStringLiteral("UsuarioActual"), usuario);
    return e;
}

void borrarPendientes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class LanzadorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        modComun::limpiar();
        FormPrueba::creados = 0;
    }
    void TearDown() override
    {
        borrarPendientes();
        modComun::limpiar();
    }
};

}  // namespace

NRVX_REGISTRAR_LANZADOR(frmclsPrueba)

TEST_F(LanzadorTest, empresaNorvexPublishesLoginAndUserInOrder)
{
    auto empresa = empresaCompleta();
    frmclsPrueba l;
    l.EmpresaNorvex(empresa);
    EXPECT_EQ(modComun::empresa(), empresa);
    EXPECT_EQ(empresa->leidos, QStringList({"ODBCNombre", "ODBCBaseDatos", "ODBCUsuario",
                                            "ODBCPassword", "UsuarioActual"}));
    EXPECT_EQ(modComun::servidor(), "SRV");
    EXPECT_EQ(modComun::baseDatos(), "Calbra");
    EXPECT_EQ(modComun::usuario(), "sa");
    EXPECT_EQ(modComun::password(), "x'y");
    EXPECT_EQ(modComun::usuarioActual(), 7);

    // The context is one per process: a second launcher overwrites it for everyone.
    auto otra = empresaCompleta(QStringLiteral("9"));
    frmclsPrueba segundo;
    segundo.EmpresaNorvex(otra);
    EXPECT_EQ(modComun::empresa(), otra);
    EXPECT_EQ(modComun::usuarioActual(), 9);
}

TEST_F(LanzadorTest, currentUserIsTheTextsNumericValue)
{
    struct Caso { QVariant valor; int esperado; };
    const Caso casos[] = {{QStringLiteral("abc"), 0}, {QString(), 0},    {QVariant(), 0},
                          {QStringLiteral(" 12abc"), 12}, {QStringLiteral("3.5"), 4},
                          {QStringLiteral("2.5"), 2},     {QStringLiteral("-4"), -4}, {15, 15}};
    for (const Caso& c : casos) {
        frmclsPrueba l;
        l.EmpresaNorvex(empresaCompleta(c.valor));
        EXPECT_EQ(modComun::usuarioActual(), c.esperado) << c.valor.toString().toStdString();
    }
    frmclsPrueba l;
    EXPECT_THROW(l.EmpresaNorvex(empresaCompleta(QStringLiteral("40000"))), std::out_of_range);
}

TEST_F(LanzadorTest, missingParameterFailsTheCall)
{
    auto empresa = empresaCompleta();
    empresa->quitarParametro(QStringLiteral("ODBCPassword"));
    frmclsPrueba l;
    EXPECT_THROW(l.EmpresaNorvex(empresa), host::ParametroError);
    EXPECT_FALSE(empresa->leidos.contains(QStringLiteral("UsuarioActual")));
    EXPECT_THROW(l.EmpresaNorvex(nullptr), std::invalid_argument);

    // The screens that need no login read none of it.
    auto sinNada = std::make_shared<EmpresaEspia>();
    frmclsSinLogin s;
    EXPECT_NO_THROW(s.EmpresaNorvex(sinNada));
    EXPECT_TRUE(sinNada->leidos.isEmpty());
    EXPECT_EQ(modComun::empresa(), sinNada);
}

TEST_F(LanzadorTest, showTwiceKeepsOneFormAndHandsMembersEachTime)
{
    frmclsPrueba l;
    l.Extra = 3;
    l.Show(0, nullptr);
    QPointer<FormBase> primero = l.frmS();
    ASSERT_TRUE(primero);
    EXPECT_TRUE(primero->isVisible());
    EXPECT_EQ(static_cast<FormPrueba*>(primero.data())->extra, 3);

    l.Extra = 5;
    l.Show(0, nullptr);
    EXPECT_EQ(l.frmS(), primero.data());
    EXPECT_EQ(FormPrueba::creados, 1);
    EXPECT_EQ(static_cast<FormPrueba*>(primero.data())->extra, 5);
}

TEST_F(LanzadorTest, closedFormIsReleasedAndNextShowMakesAFreshOne)
{
    frmclsPrueba l;
    l.Show(0, nullptr);
    QPointer<FormBase> primero = l.frmS();
    QSignalSpy unload(primero.data(), &FormBase::Unload);
    primero->close();
    EXPECT_EQ(unload.count(), 1);
    EXPECT_EQ(static_cast<FormPrueba*>(primero.data())->descargas, 1);
    EXPECT_EQ(l.frmS(), nullptr);
    borrarPendientes();
    EXPECT_TRUE(primero.isNull());

    l.Show(0, nullptr);
    EXPECT_NE(l.frmS(), nullptr);
    EXPECT_EQ(FormPrueba::creados, 2);
}

TEST_F(LanzadorTest, releasingTheLauncherUnloadsItsModelessForm)
{
    auto l = std::make_unique<frmclsPrueba>();
    l->Show(0, nullptr);
    QPointer<FormBase> form = l->frmS();
    QSignalSpy unload(form.data(), &FormBase::Unload);
    l.reset();
    EXPECT_EQ(unload.count(), 1);
    EXPECT_FALSE(form && form->isVisible());
    borrarPendientes();
    EXPECT_TRUE(form.isNull());
}

TEST_F(LanzadorTest, modalShowReturnsWhenTheFormClosesAndOwnerIsKept)
{
    QWidget propietario;
    propietario.show();
    frmclsPrueba l;
    QPointer<FormBase> visto;
    bool eraModal = false;
    QTimer::singleShot(0, [&] {
        visto = l.frmS();
        eraModal = visto && visto->isModal() && visto->isVisible();
        if (visto)
            visto->accept();
    });
    l.Show(1, &propietario);
    EXPECT_TRUE(eraModal);
    ASSERT_TRUE(visto);
    EXPECT_EQ(visto->parentWidget(), &propietario);
    EXPECT_TRUE(visto->isWindow());
    EXPECT_EQ(l.frmS(), nullptr);

    // A modeless form shown over an owner goes with it.
    l.Show(0, &propietario);
    QPointer<FormBase> modeless = l.frmS();
    EXPECT_EQ(modeless->parentWidget(), &propietario);
    EXPECT_TRUE(modeless->isWindow());
}

TEST_F(LanzadorTest, ownerDestroyedFirstLeavesTheLauncherEmpty)
{
    auto propietario = std::make_unique<QWidget>();
    frmclsPrueba l;
    l.Show(0, propietario.get());
    propietario.reset();
    EXPECT_EQ(l.frmS(), nullptr);
    l.Show(0, nullptr);  // and a later Show still works
    EXPECT_NE(l.frmS(), nullptr);
}

TEST(FormBase, unloadsOnceWhateverTheWayItCloses)
{
    FormPrueba f;
    QSignalSpy unload(&f, &FormBase::Unload);
    f.Show(0, nullptr);
    f.reject();
    f.close();
    f.descargar();
    EXPECT_EQ(unload.count(), 1);
    EXPECT_EQ(f.descargas, 1);

    // Shown again, it loads anew and can unload again.
    f.Show(0, nullptr);
    f.close();
    EXPECT_EQ(unload.count(), 2);
}

TEST(FormBase, defaultInstanceLivesUntilItUnloads)
{
    FormPrueba* a = FormBase::porDefecto<FormPrueba>();
    EXPECT_EQ(FormBase::porDefecto<FormPrueba>(), a);
    QPointer<FormBase> vigilado = a;
    a->Show(0, nullptr);
    a->close();
    EXPECT_FALSE(FormBase::hayPorDefecto<FormPrueba>());
    borrarPendientes();
    EXPECT_TRUE(vigilado.isNull());
    FormPrueba* b = FormBase::porDefecto<FormPrueba>();
    EXPECT_NE(b, nullptr);
    b->descargar();
    borrarPendientes();
}

TEST(LanzadorRegistro, createsRegisteredLaunchersByClassName)
{
    auto l = LanzadorRegistro::crear(QStringLiteral("frmclsPrueba"));
    ASSERT_NE(l, nullptr);
    EXPECT_NE(dynamic_cast<frmclsPrueba*>(l.get()), nullptr);
    EXPECT_NE(LanzadorRegistro::crear(QStringLiteral("FRMCLSPRUEBA")), nullptr);
    EXPECT_TRUE(LanzadorRegistro::nombres().contains(QStringLiteral("frmclsPrueba")));
    EXPECT_EQ(LanzadorRegistro::crear(QStringLiteral("frmclsNoExiste")), nullptr);
    frmclsPrueba::registrar();  // twice is harmless
    EXPECT_EQ(LanzadorRegistro::nombres().count(QStringLiteral("frmclsPrueba")), 1);
}

TEST(ValorTexto, readsTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(ValorTexto(QStringLiteral("  12abc")), 12.0);
    EXPECT_DOUBLE_EQ(ValorTexto(QStringLiteral("-3.5")), -3.5);
    EXPECT_DOUBLE_EQ(ValorTexto(QStringLiteral("+.5")), 0.5);
    EXPECT_DOUBLE_EQ(ValorTexto(QStringLiteral("1,5")), 1.0);
    EXPECT_DOUBLE_EQ(ValorTexto(QStringLiteral("1.2.3")), 1.2);
    EXPECT_DOUBLE_EQ(ValorTexto(QStringLiteral("abc")), 0.0);
    EXPECT_DOUBLE_EQ(ValorTexto(QStringLiteral("-")), 0.0);
    EXPECT_DOUBLE_EQ(ValorTexto(QString()), 0.0);
}
