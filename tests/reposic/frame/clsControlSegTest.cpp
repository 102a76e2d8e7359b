#include "platform/db/Recordset.h"
#include "reposic/frame/clsControlSeg.h"
#include "support/PantallaFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

using reposic::clsControlSeg;

namespace {

// A form as the host's screens build them: plain controls, a control array, a frame with a
// control inside, a composite control and one that applies its access level itself.
struct FormPrueba {
    explicit FormPrueba(const QString& nombre = QStringLiteral("frmPrueba"))
    {
        form = std::make_unique<QDialog>();
        form->setObjectName(nombre);
        auto* l = new QVBoxLayout(form.get());
        l->addWidget(nombrar(new QLabel(QStringLiteral("Título")), "lblTitulo"));
        l->addWidget(txtNombre = nombrar(new QLineEdit, "txtNombre"));
        for (int i = 0; i < 2; ++i) {
            txtFamilia[i] = nombrar(new QLineEdit, "txtFamilia");
            txtFamilia[i]->setProperty("Index", i);
            l->addWidget(txtFamilia[i]);
        }
        auto* fra = nombrar(new QGroupBox(QStringLiteral("Datos")), "fraDatos");
        auto* fl = new QVBoxLayout(fra);
        fl->addWidget(chkActivo = nombrar(new QCheckBox(QStringLiteral("Activo")), "chkActivo"));
        l->addWidget(fra);
        l->addWidget(cboTipo = nombrar(new QComboBox, "cboTipo"));
        cboTipo->setEditable(true);
        cboTipo->lineEdit()->setObjectName(QStringLiteral("txtInterno"));
        l->addWidget(ctlNivel = nombrar(new QWidget, "ctlNivel"));
        ctlNivel->setProperty("AccessLevel", -1);
        cmdAceptar = nombrar(new QPushButton(QStringLiteral("Aceptar")), "cmdAceptar");
        l->addWidget(cmdAceptar);
    }
    template <class W>
    static W* nombrar(W* w, const char* nombre)
    {
        w->setObjectName(QString::fromLatin1(nombre));
        return w;
    }

    std::unique_ptr<QDialog> form;
    QLineEdit* txtNombre;
    QLineEdit* txtFamilia[2];
    QCheckBox* chkActivo;
    QComboBox* cboTipo;
    QWidget* ctlNivel;
    QPushButton* cmdAceptar;
};

class ControlSeg : public testsupport::PantallaFixture {
protected:
    ControlSeg()
    {
        // The same database reached through the registration server's name.
        central_ = db::Connection::openShared(db_.connectionString()
                                              + QStringLiteral(";Server=Central"));
        clsControlSeg::setServidorRegistro(QStringLiteral("CENTRAL"));
        conn()->execute(QStringLiteral("INSERT INTO SGD_Formularios VALUES (4, 'frmOtro')"));
    }
    ~ControlSeg() override { clsControlSeg::setServidorRegistro(QString()); }

    // Applies the rights of `usuario` to the form, recording the events.
    void aplicar(FormPrueba& f, int usuario, const db::ConnectionPtr& c = nullptr)
    {
        clsControlSeg seg;
        seg.setUsuario(usuario);
        seg.cEmpresa(empresa_);
        seg.Conexion(c ? c : central_);
        seg.setContentForm(f.form.get());
        QObject::connect(&seg, &clsControlSeg::AfterSetStateControl, [this](QObject* w, int s) {
            eventos << w->objectName() + '=' + QString::number(s);
        });
        QObject::connect(&seg, &clsControlSeg::AfterSetStateAllControls,
                         [this] { eventos << QStringLiteral("fin"); });
        seg.SetStateAllControl();
    }
    int codigoControl(const QString& nombre, const QString& indice = {})
    {
        return scalar(QStringLiteral("SELECT Cod_Control FROM SGD_Controles WHERE Nombre = '%1'"
                                     " AND TRIM(Indice) = '%2'").arg(nombre, indice)).toInt();
    }
    void derecho(const QString& control, int grupo, int permiso, const QString& indice = {})
    {
        conn()->execute(QStringLiteral("INSERT INTO SGD_Controles_Grupos VALUES (5, %1, %2, %3)")
                            .arg(codigoControl(control, indice)).arg(grupo).arg(permiso));
    }
    QStringList controles()
    {
        db::Recordset rs(conn(), QStringLiteral("SELECT Cod_Control, Nombre, Indice FROM"
                                                " SGD_Controles WHERE Cod_Formulario = 5"
                                                " ORDER BY Cod_Control"));
        QStringList t;
        for (; !rs.eof(); rs.moveNext())
            t << rs.field(0).toText() + ':' + rs.field(1).toText() + rs.field(2).toText().trimmed();
        return t;
    }

    db::ConnectionPtr central_;
    QStringList eventos;
};

}  // namespace

TEST_F(ControlSeg, registersTheFormsControlsAndKeepsThemInStep)
{
    {
        FormPrueba f;
        aplicar(f, 1);
    }
    EXPECT_EQ(scalar("SELECT Cod_Formulario FROM SGD_Formularios WHERE Nombre = 'frmPrueba'")
                  .toInt(), 5);
    EXPECT_EQ(controles(), (QStringList{"1:lblTitulo", "2:txtNombre", "3:txtFamilia0",
                                        "4:txtFamilia1", "5:fraDatos", "6:chkActivo",
                                        "7:cboTipo", "8:ctlNivel", "9:cmdAceptar"}));
    // Focus order for the controls that take focus; the label gets the number of controls.
    EXPECT_EQ(scalar("SELECT TabIndex FROM SGD_Controles WHERE Nombre = 'txtNombre'").toInt(), 0);
    EXPECT_EQ(scalar("SELECT TabIndex FROM SGD_Controles WHERE Nombre = 'lblTitulo'").toInt(), 9);
    EXPECT_EQ(scalar("SELECT Indice FROM SGD_Controles WHERE Cod_Control = 4").toText(),
              QStringLiteral("1 "));
    derecho(QStringLiteral("txtNombre"), 0, 1);
    derecho(QStringLiteral("cmdAceptar"), 0, 2);

    // A newer version of the form: one control gone (with its rights), one new.
    FormPrueba f;
    delete f.cmdAceptar;
    f.form->layout()->addWidget(FormPrueba::nombrar(new QLineEdit, "txtNuevo"));
    aplicar(f, 1);
    EXPECT_EQ(controles().last(), QStringLiteral("10:txtNuevo"));
    EXPECT_EQ(controles().size(), 9);
    EXPECT_EQ(count("SGD_Controles_Grupos"), 1);
    EXPECT_TRUE(f.txtNombre->isReadOnly());
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
}

TEST_F(ControlSeg, appliesTheRightsOfTheUsersGroupsAndOfEveryone)
{
    { FormPrueba f; aplicar(f, 1); }
    conn()->execute(QStringLiteral("INSERT INTO SGD_Usuarios_Grupos VALUES (2, 7)"));
    derecho(QStringLiteral("txtNombre"), 0, 1);
    derecho(QStringLiteral("cmdAceptar"), 2, 2);
    derecho(QStringLiteral("chkActivo"), 3, 2);  // a group the user is not in
    derecho(QStringLiteral("txtFamilia"), 2, 2, QStringLiteral("1"));
    derecho(QStringLiteral("ctlNivel"), 0, 1);
    derecho(QStringLiteral("lblTitulo"), 0, 0);
    derecho(QStringLiteral("lblTitulo"), 2, 2);  // the higher permission is applied last
    eventos.clear();

    FormPrueba f;
    aplicar(f, 7);
    EXPECT_TRUE(f.txtNombre->isReadOnly());
    EXPECT_TRUE(f.txtNombre->isEnabled());
    EXPECT_FALSE(f.cmdAceptar->isEnabled());
    EXPECT_TRUE(f.chkActivo->isEnabled());
    EXPECT_FALSE(f.txtFamilia[1]->isEnabled());
    EXPECT_TRUE(f.txtFamilia[0]->isEnabled());
    EXPECT_FALSE(f.txtFamilia[0]->isReadOnly());
    EXPECT_EQ(f.ctlNivel->property("AccessLevel").toInt(), 1);
    EXPECT_TRUE(f.ctlNivel->isEnabled());
    EXPECT_EQ(eventos, (QStringList{"cmdAceptar=2", "lblTitulo=0", "lblTitulo=2",
                                    "txtFamilia=2", "txtNombre=1", "fin"}));

    // A user in no group gets what everyone gets.
    FormPrueba g;
    eventos.clear();
    aplicar(g, 8);
    EXPECT_TRUE(g.cmdAceptar->isEnabled());
    EXPECT_TRUE(g.txtNombre->isReadOnly());
    EXPECT_EQ(eventos, (QStringList{"lblTitulo=0", "txtNombre=1", "fin"}));
}

TEST_F(ControlSeg, withoutProcessingRightsTheFormIsStillRegistered)
{
    { FormPrueba f; aplicar(f, 1); }
    derecho(QStringLiteral("txtNombre"), 0, 2);
    empresa_->setParametro(QStringLiteral("NoProcesarPermisosControles"), QStringLiteral("True"));
    eventos.clear();
    FormPrueba f;
    f.form->layout()->addWidget(FormPrueba::nombrar(new QLineEdit, "txtNuevo"));
    aplicar(f, 1);
    EXPECT_TRUE(f.txtNombre->isEnabled());
    EXPECT_TRUE(eventos.isEmpty());
    EXPECT_EQ(controles().last(), QStringLiteral("10:txtNuevo"));

    // A value that is not a Boolean counts as false.
    empresa_->setParametro(QStringLiteral("NoProcesarPermisosControles"), QStringLiteral("quizá"));
    FormPrueba g;
    aplicar(g, 1);
    EXPECT_FALSE(g.txtNombre->isEnabled());
}

TEST_F(ControlSeg, anotherServerTouchesNoSecurityTableAndAStaleRightStopsTheRest)
{
    { FormPrueba f; aplicar(f, 1); }
    derecho(QStringLiteral("cmdAceptar"), 0, 2);
    derecho(QStringLiteral("txtNombre"), 0, 2);
    conn()->execute(QStringLiteral("INSERT INTO SGD_Controles VALUES (5, 20, 'optViejo', '', 3)"));
    conn()->execute(QStringLiteral("INSERT INTO SGD_Controles_Grupos VALUES (5, 20, 0, 1)"));
    const QStringList antes = controles();
    eventos.clear();

    FormPrueba f;
    f.form->layout()->addWidget(FormPrueba::nombrar(new QLineEdit, "txtNuevo"));
    aplicar(f, 1, conn());  // this connection's server is not the registration server
    EXPECT_EQ(controles(), antes);
    EXPECT_EQ(count("SGD_Controles_Grupos"), 3);
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("clsControlSeg:SetStateAllControl"));
    EXPECT_EQ(mensajes.last().icon(), ui::vbCritical);
    // Rows come by control name: cmdAceptar was handled, txtNombre after optViejo was not.
    EXPECT_FALSE(f.cmdAceptar->isEnabled());
    EXPECT_TRUE(f.txtNombre->isEnabled());
    EXPECT_EQ(eventos, QStringList{"cmdAceptar=2"});
}

TEST_F(ControlSeg, aRegistrationCutShortKeepsTheRightsAlreadyGranted)
{
    { FormPrueba f; aplicar(f, 1); }
    derecho(QStringLiteral("txtNombre"), 0, 1);
    const QStringList antes = controles();

    FormPrueba f;
    auto* fuera = FormPrueba::nombrar(new QLineEdit, "txtFamilia");
    fuera->setProperty("Index", 100);  // does not fit the index column
    f.form->layout()->addWidget(fuera);
    fuera->lower();  // first of the form's controls: every other one is still marked missing
    aplicar(f, 1);
    ASSERT_EQ(mensajes.count(), 1);
    EXPECT_EQ(mensajes.last().title, QStringLiteral("clsControlSeg:SetStateAllControl"));
    EXPECT_EQ(controles(), antes);
    EXPECT_EQ(central_->transactionDepth(), 0);

    // Registering another form afterwards must not take this form's rights away.
    FormPrueba otro(QStringLiteral("frmOtroMas"));
    aplicar(otro, 1);
    EXPECT_EQ(count("SGD_Controles_Grupos"), 1);
    EXPECT_EQ(controles(), antes);
}

// The menus of a window are controls as its widgets are: a right on a whole menu or on one entry
// closes it, and the window's other entries stay usable.
TEST_F(ControlSeg, menusAndTheirEntriesAreRegisteredAndRestricted)
{
    struct Ventana {
        Ventana()
        {
            w.setObjectName(QStringLiteral("frmPrueba"));
            mnuPantallas = w.menuBar()->addMenu(QStringLiteral("&Pantallas"));
            mnuPantallas->setObjectName(QStringLiteral("mnuPantallas"));
            mnuGrupo = mnuPantallas->addMenu(QStringLiteral("Grupo"));
            mnuGrupo->setObjectName(QStringLiteral("mnuGrupo"));
            uno = mnuGrupo->addAction(QStringLiteral("Uno"));
            uno->setObjectName(QStringLiteral("frmUno"));
            dos = mnuGrupo->addAction(QStringLiteral("Dos"));
            dos->setObjectName(QStringLiteral("frmDos"));
            mnuPantallas->addAction(QStringLiteral("sin nombre"));
            w.setCentralWidget(FormPrueba::nombrar(new QLineEdit, "txtNombre"));
        }
        QMainWindow w;
        QMenu* mnuPantallas;
        QMenu* mnuGrupo;
        QAction* uno;
        QAction* dos;
    };
    {
        Ventana v;
        clsControlSeg seg;
        seg.setUsuario(1);
        seg.cEmpresa(empresa_);
        seg.Conexion(central_);
        seg.setContentForm(&v.w);
        seg.SetStateAllControl();
    }
    EXPECT_EQ(controles(), (QStringList{"1:mnuPantallas", "2:mnuGrupo", "3:frmUno", "4:frmDos",
                                        "5:txtNombre"}));
    conn()->execute(QStringLiteral("INSERT INTO SGD_Usuarios_Grupos VALUES (2, 7)"));
    derecho(QStringLiteral("frmUno"), 2, 2);
    derecho(QStringLiteral("mnuGrupo"), 0, 0);

    Ventana v;
    clsControlSeg seg;
    seg.setUsuario(7);
    seg.cEmpresa(empresa_);
    seg.Conexion(central_);
    seg.setContentForm(&v.w);
    seg.SetStateAllControl();
    EXPECT_FALSE(v.uno->isEnabled());
    EXPECT_TRUE(v.dos->isEnabled());
    EXPECT_TRUE(v.mnuGrupo->isEnabled());
    // "Visible" on a menu shows its entry in the bar; it must not pop the menu open.
    EXPECT_FALSE(v.mnuGrupo->isVisible());
    EXPECT_TRUE(v.mnuGrupo->menuAction()->isVisible());

    derecho(QStringLiteral("mnuPantallas"), 0, 1);
    Ventana otra;
    seg.setContentForm(&otra.w);
    seg.SetStateAllControl();
    EXPECT_FALSE(otra.mnuPantallas->isEnabled());
    EXPECT_FALSE(otra.mnuPantallas->menuAction()->isEnabled());
    EXPECT_EQ(mensajes.count(), 0) << mensajes.texts().join('\n').toStdString();
}
