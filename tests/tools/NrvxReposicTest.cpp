// The nightly generation command, run as a separate process on a generated company.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "support/TestDatabase.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Resultado {
    int codigo = -1;
    QString salida;
    QString errores;
};

Resultado ejecutarPrograma(const QString& programa, const QStringList& args,
                           const QString& servidores = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!servidores.isEmpty())
        env.insert(QStringLiteral("NRVX_DB_SERVERS"), servidores);
    // A nightly run has no display: none of this may need one.
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(programa, args);
    Resultado r;
    if (!p.waitForFinished(180000))
        return r;
    r.codigo = p.exitCode();
    r.salida = QString::fromUtf8(p.readAllStandardOutput());
    r.errores = QString::fromUtf8(p.readAllStandardError());
    return r;
}

Resultado ejecutar(const QStringList& args)
{
    return ejecutarPrograma(QStringLiteral(NRVX_REPOSIC_TOOL), args);
}

QStringList lineas(const QString& texto)
{
    return texto.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class NrvxReposic : public ::testing::Test {
protected:
    void SetUp() override
    {
        QProcess init;
        init.start(QStringLiteral(NRVX_SQL_TOOL), {QStringLiteral("-d"), base(), QStringLiteral("--init"),
                                                 QStringLiteral("--demo"), QStringLiteral("--articles"),
                                                 QStringLiteral("400"), QStringLiteral("--stores"),
                                                 QStringLiteral("3")});
        ASSERT_TRUE(init.waitForFinished(60000));
        ASSERT_EQ(init.exitCode(), 0) << init.readAllStandardError().toStdString();
    }
    QString base() const { return dir.filePath(QStringLiteral("demo.db")); }
    db::ConnectionPtr abrir() const
    {
        return db::Connection::openShared(QStringLiteral("Provider=SQLite;Data Source=") + base());
    }
    int contar(const QString& tabla) const
    {
        return abrir()->scalar(QStringLiteral("SELECT COUNT(*) FROM ") + tabla).toInt();
    }
    QStringList generar(const QStringList& extra) const
    {
        return QStringList{QStringLiteral("generar"), QStringLiteral("-d"), base(),
                           QStringLiteral("--origen"), QStringLiteral("1")}
            + extra;
    }
    // Every row of every table, counters included, as text.
    QStringList volcado() const
    {
        auto c = abrir();
        QStringList tablas;
        for (db::Recordset rs(c, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"
                                                " AND name NOT LIKE 'sqlite_%' ORDER BY name"));
             !rs.eof(); rs.moveNext())
            tablas << rs.field(0).toText();
        QStringList filas;
        for (const QString& t : tablas) {
            for (db::Recordset rs(c, QStringLiteral("SELECT * FROM ") + t); !rs.eof(); rs.moveNext()) {
                QStringList celdas{t};
                for (int i = 0; i < rs.fieldCount(); ++i)
                    celdas << rs.field(i).toText();
                filas << celdas.join(QLatin1Char('|'));
            }
        }
        filas.sort();
        return filas;
    }
    void bloquear(const QString& equipo, qint64 pid, const QDateTime& latido) const
    {
        const QString t = latido.toString(Qt::ISODate);
        abrir()->execute(QStringLiteral("INSERT INTO Reposicion_Bloqueo VALUES (1, 1, 'ana', '%1', %2,"
                                        " '%3', '%3')")
                             .arg(equipo)
                             .arg(pid)
                             .arg(t));
    }
    QTemporaryDir dir;
};

}  // namespace

TEST_F(NrvxReposic, generatesForSeveralStoresLogsAndSavesDatedPdfs)
{
    const QString pdf = dir.filePath(QStringLiteral("pdf"));
    const QString log = dir.filePath(QStringLiteral("noche.log"));
    const Resultado r = ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("2,3,2"),
                                          QStringLiteral("--pdf"), pdf, QStringLiteral("--log"), log}));
    ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();

    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList registro = lineas(QString::fromUtf8(f.readAll()));
    ASSERT_EQ(registro.size(), 5) << registro.join(QLatin1Char('\n')).toStdString();
    for (const QString& l : registro) {
        const QString marca = l.section(QLatin1Char(' '), 0, 0);
        EXPECT_TRUE(QDateTime::fromString(marca, Qt::ISODate).isValid()) << l.toStdString();
    }
    EXPECT_TRUE(registro[0].contains(QStringLiteral("Inicio: generar empresa=1 origen=1 destino=2,3,2")));
    EXPECT_TRUE(registro[1].contains(QStringLiteral("Almacén 2 repetido")));
    EXPECT_TRUE(registro[2].contains(QStringLiteral("Almacén 2: ")));
    EXPECT_TRUE(registro[3].contains(QStringLiteral("Almacén 3: ")));
    EXPECT_TRUE(registro[4].contains(QStringLiteral("Fin: 2 almacenes, ")));
    EXPECT_TRUE(registro[4].endsWith(QStringLiteral("código de salida 0")));
    EXPECT_EQ(lineas(r.salida), registro);

    // Store 2 named twice is generated once.
    auto conn = abrir();
    EXPECT_EQ(registro.filter(QStringLiteral("Almacén 2: ")).size(), 1);
    const int prefacturas = contar(QStringLiteral("Reposicion_Pref"));
    EXPECT_GT(prefacturas, 0);
    const QDir dia(QDir(pdf).filePath(QDate::currentDate().toString(Qt::ISODate)));
    EXPECT_EQ(dia.entryList({QStringLiteral("Prefactura *.pdf")}).size(), prefacturas);
    EXPECT_FALSE(dia.entryList({QStringLiteral("Faltas *.pdf")}).isEmpty());

    // The history has the run and each store; the lock is gone.
    EXPECT_EQ(contar(QStringLiteral("Reposicion_Ejecuciones")), 3);
    EXPECT_EQ(contar(QStringLiteral("Reposicion_Bloqueo")), 0);
    const Resultado h = ejecutar({QStringLiteral("historial"), QStringLiteral("-d"), base()});
    ASSERT_EQ(h.codigo, 0) << h.errores.toStdString();
    EXPECT_EQ(lineas(h.salida).size(), 4) << h.salida.toStdString();
    EXPECT_TRUE(lineas(h.salida).value(1).contains(QStringLiteral("\ttotal\t")));
    const Resultado futuro = ejecutar({QStringLiteral("historial"), QStringLiteral("-d"), base(),
                                       QStringLiteral("--desde"),
                                       QDate::currentDate().addDays(1).toString(Qt::ISODate)});
    EXPECT_EQ(lineas(futuro.salida).size(), 1) << futuro.salida.toStdString();

    // A pre-invoice printed again, with its store's shortages.
    const QString codigo = conn->scalar(QStringLiteral("SELECT MIN(Codigo) FROM Reposicion_Pref")).toText();
    const QString otra = dir.filePath(QStringLiteral("otra"));
    const Resultado re = ejecutar({QStringLiteral("reimprimir"), QStringLiteral("-d"), base(),
                                   QStringLiteral("--prefactura"), codigo, QStringLiteral("--pdf"), otra});
    ASSERT_EQ(re.codigo, 0) << re.errores.toStdString();
    EXPECT_TRUE(QFile::exists(QDir(otra).filePath(QStringLiteral("Prefactura %1.pdf").arg(codigo))));
    EXPECT_EQ(QDir(otra).entryList({QStringLiteral("Faltas *.pdf")}).size(), 1);
}

TEST_F(NrvxReposic, wrongUseExitsTwoWithOneLineAndWritesNothing)
{
    const QStringList antes = volcado();
    const QString falta = dir.filePath(QStringLiteral("noexiste.db"));
    const QList<QStringList> casos = {
        generar({}),
        generar({QStringLiteral("--destino"), QStringLiteral("2"), QStringLiteral("--cantidad"),
                 QStringLiteral("30")}),
        generar({QStringLiteral("--destino"), QStringLiteral("99")}),
        generar({QStringLiteral("--destino"), QStringLiteral("2,x")}),
        generar({QStringLiteral("--destino"), QStringLiteral("1")}),
        generar({QStringLiteral("--destino"), QStringLiteral("2"), QStringLiteral("--empresa"),
                 QStringLiteral("abc")}),
        generar({QStringLiteral("--destino"), QStringLiteral("2"), QStringLiteral("--empresa"),
                 QStringLiteral("99")}),
        generar({QStringLiteral("--destino"), QStringLiteral("2"), QStringLiteral("--impresora"),
                 QStringLiteral("NOEXISTE")}),
        generar({QStringLiteral("--destino"), QStringLiteral("todos"), QStringLiteral("--desconocida")}),
        {QStringLiteral("generar"), QStringLiteral("-d"), base(), QStringLiteral("--origen"),
         QStringLiteral("99"), QStringLiteral("--destino"), QStringLiteral("2")},
        {QStringLiteral("generar"), QStringLiteral("-d"), falta, QStringLiteral("--origen"),
         QStringLiteral("1"), QStringLiteral("--destino"), QStringLiteral("2")},
        {QStringLiteral("reimprimir"), QStringLiteral("-d"), base(), QStringLiteral("--prefactura"),
         QStringLiteral("123")},
        {QStringLiteral("historial"), QStringLiteral("-d"), base(), QStringLiteral("--desde"),
         QStringLiteral("ayer")},
        {QStringLiteral("nada")},
    };
    for (const QStringList& args : casos) {
        const Resultado r = ejecutar(args);
        EXPECT_EQ(r.codigo, 2) << args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(lineas(r.errores).size(), 1) << r.errores.toStdString();
        EXPECT_TRUE(r.salida.isEmpty()) << r.salida.toStdString();
    }
    EXPECT_FALSE(QFile::exists(falta));
    EXPECT_EQ(volcado(), antes);
}

TEST_F(NrvxReposic, aFailingPassExitsOneAndTheOtherStoresGoOn)
{
    abrir()->execute(QStringLiteral("CREATE TRIGGER fallo BEFORE INSERT ON Reposicion_Pref_Lineas"
                                    " WHEN (SELECT Cod_AlmacenD FROM Reposicion_Pref WHERE Codigo ="
                                    " NEW.Codigo AND Cod_Almacen = NEW.Cod_Almacen) = 2"
                                    " BEGIN SELECT RAISE(ABORT, 'disco lleno'); END"));
    const QString log = dir.filePath(QStringLiteral("noche.log"));
    const Resultado r = ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("todos"),
                                          QStringLiteral("--quiet"), QStringLiteral("--log"), log}));
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.errores.contains(QStringLiteral("disco lleno"))) << r.errores.toStdString();
    EXPECT_TRUE(r.salida.isEmpty()) << r.salida.toStdString();
    auto conn = abrir();
    const QString lineasDe = QStringLiteral("SELECT COUNT(*) FROM Reposicion_Pref_Lineas l JOIN"
                                            " Reposicion_Pref p ON p.Codigo = l.Codigo AND"
                                            " p.Cod_Almacen = l.Cod_Almacen WHERE p.Cod_AlmacenD = ");
    EXPECT_EQ(conn->scalar(lineasDe + QStringLiteral("2")).toInt(), 0);
    EXPECT_GT(conn->scalar(lineasDe + QStringLiteral("3")).toInt(), 0);
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QStringList registro = lineas(QString::fromUtf8(f.readAll()));
    EXPECT_EQ(registro.filter(QStringLiteral(" ERROR Almacén 2, grupo ")).size(),
              lineas(r.errores).size());
    EXPECT_TRUE(registro.last().endsWith(QStringLiteral("código de salida 1")));
}

TEST_F(NrvxReposic, aLiveHolderRefusesTheRunAndADeadOneIsTakenOver)
{
    const QStringList antes = volcado();
    const QDateTime ahora = QDateTime::currentDateTime();
    bloquear(QStringLiteral("caja-07"), 4242, ahora.addSecs(-60));
    const QStringList conBloqueo = volcado();
    const Resultado r = ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("todos")}));
    EXPECT_EQ(r.codigo, 3);
    EXPECT_EQ(lineas(r.errores).size(), 1);
    EXPECT_TRUE(r.errores.contains(QStringLiteral(
        "La generación del almacén 1 está en curso en caja-07 desde %1 (usuario ana).")
                                       .arg(ahora.addSecs(-60).toString(QStringLiteral("HH:mm")))))
        << r.errores.toStdString();
    EXPECT_EQ(volcado(), conBloqueo);

    // Another workstation silent for more than five minutes has died.
    abrir()->execute(QStringLiteral("DELETE FROM Reposicion_Bloqueo"));
    bloquear(QStringLiteral("caja-07"), 4242, ahora.addSecs(-6 * 60));
    EXPECT_EQ(ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("2")})).codigo, 0);
    EXPECT_EQ(contar(QStringLiteral("Reposicion_Bloqueo")), 0);

    // On this workstation a process that is gone has died, whatever its heartbeat says.
    QProcess muerto;
    muerto.start(QStringLiteral("true"), {});
    ASSERT_TRUE(muerto.waitForStarted());
    const qint64 pid = muerto.processId();
    ASSERT_TRUE(muerto.waitForFinished());
    bloquear(QSysInfo::machineHostName(), pid, ahora);
    // ...and the history still shows its run as never ended, which the next run points out.
    abrir()->execute(QStringLiteral("INSERT INTO Reposicion_Ejecuciones (Cod_Empresa, Cod_Almacen,"
                                    " Cod_AlmacenD, FechaInicio, Resultado) VALUES (1, 1, 0, '%1', -1)")
                         .arg(ahora.toString(Qt::ISODate)));
    const Resultado tras = ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("3")}));
    EXPECT_EQ(tras.codigo, 0) << tras.errores.toStdString();
    EXPECT_TRUE(tras.salida.contains(QStringLiteral("no terminó"))) << tras.salida.toStdString();
    EXPECT_EQ(contar(QStringLiteral("Reposicion_Bloqueo")), 0);
    EXPECT_NE(volcado(), antes);
}

TEST_F(NrvxReposic, aDamagedDatabaseIsRefusedAndNamed)
{
    {
        auto conn = abrir();
        conn->execute(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    }
    QFile f(base());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const qint64 tam = f.size();
    ASSERT_GT(tam, 64 * 1024);
    f.seek((tam / 2 / 4096) * 4096);  // the header of a page in the middle
    f.write(QByteArray(512, '\x5a'));
    f.close();

    const Resultado r = ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("todos")}));
    EXPECT_EQ(r.codigo, 3) << r.salida.toStdString() << r.errores.toStdString();
    EXPECT_EQ(lineas(r.errores).size(), 1) << r.errores.toStdString();
    EXPECT_TRUE(r.errores.contains(base())) << r.errores.toStdString();

    const Resultado check = ejecutarPrograma(QStringLiteral(NRVX_SQL_TOOL), {QStringLiteral("--check"), base()});
    EXPECT_EQ(check.codigo, 3);
    EXPECT_TRUE(check.errores.contains(base()));
}

TEST_F(NrvxReposic, aSimulationPrintsWhatItWouldDoAndLeavesNothing)
{
    const QStringList antes = volcado();
    const QString pdf = dir.filePath(QStringLiteral("pdf"));
    const Resultado r = ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("todos"),
                                          QStringLiteral("--simular"), QStringLiteral("--pdf"), pdf}));
    ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
    EXPECT_EQ(volcado(), antes);

    // The summary counts what would have been generated, and the reports saw those rows.
    EXPECT_FALSE(r.salida.contains(QStringLiteral("Fin: 2 almacenes, 0 prefacturas")))
        << r.salida.toStdString();
    const QDir dia(QDir(pdf).filePath(QDate::currentDate().toString(Qt::ISODate)));
    const QStringList prefacturas = dia.entryList({QStringLiteral("*Prefactura *.pdf")});
    ASSERT_FALSE(prefacturas.isEmpty());
    for (const QString& nombre : prefacturas)
        EXPECT_TRUE(nombre.startsWith(QStringLiteral("SIMULACIÓN "))) << nombre.toStdString();
    QProcess texto;
    texto.start(QStringLiteral("pdftotext"), {dia.filePath(prefacturas.first()), QStringLiteral("-")});
    ASSERT_TRUE(texto.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(texto.readAllStandardOutput()).contains(QStringLiteral("Prefactura")));

    EXPECT_EQ(ejecutar(generar({QStringLiteral("--destino"), QStringLiteral("2"),
                                QStringLiteral("--simular"), QStringLiteral("--impresora"),
                                QStringLiteral("x")})).codigo, 2);
}

TEST_F(NrvxReposic, dashSNamesAServerOfTheListInNrvxDbServers)
{
    const QString lista = dir.filePath(QStringLiteral("servidores"));
    QFile f(lista);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("# servidores de la cadena\nMISERV = folder:%1\n").arg(dir.path()).toUtf8());
    f.close();
    const QString cadena = QStringLiteral("Provider=SQLOLEDB;Server=MISERV;Database=demo;User Id=;Password=;");
    const QString pdf = dir.filePath(QStringLiteral("pdf"));
    const Resultado r = ejecutarPrograma(
        QStringLiteral(NRVX_REPOSIC_TOOL),
        {QStringLiteral("generar"), QStringLiteral("-S"), cadena, QStringLiteral("--origen"), QStringLiteral("1"),
         QStringLiteral("--destino"), QStringLiteral("2"), QStringLiteral("--pdf"), pdf},
        lista);
    ASSERT_EQ(r.codigo, 0) << r.errores.toStdString();
    EXPECT_GT(contar(QStringLiteral("Reposicion_Pref")), 0);
    const Resultado sql = ejecutarPrograma(QStringLiteral(NRVX_SQL_TOOL),
                                           {QStringLiteral("-S"), cadena, QStringLiteral("-Q"),
                                            QStringLiteral("SELECT COUNT(*) AS N FROM Reposicion_Ejecuciones")},
                                           lista);
    EXPECT_EQ(sql.codigo, 0) << sql.errores.toStdString();
    EXPECT_EQ(lineas(sql.salida).value(1), QStringLiteral("2"));
    // Both or neither of -d and -S is wrong use.
    EXPECT_EQ(ejecutar({QStringLiteral("historial"), QStringLiteral("-S"), cadena, QStringLiteral("-d"),
                        base()}).codigo, 2);
}

TEST(NrvxProgramas, versionAndHelpNeedNoDisplayAndListTheExitCodes)
{
    const QStringList programas = {QStringLiteral(NRVX_REPOSIC_TOOL), QStringLiteral(NRVX_SQL_TOOL),
                                   QStringLiteral(NRVX_BINARY_DIR "/src/nrvx-host")};
    for (const QString& programa : programas) {
        const Resultado v = ejecutarPrograma(programa, {QStringLiteral("--version")});
        EXPECT_EQ(v.codigo, 0) << programa.toStdString() << v.errores.toStdString();
        EXPECT_TRUE(v.salida.trimmed().endsWith(QStringLiteral(NRVX_VERSION))) << v.salida.toStdString();
        const Resultado h = ejecutarPrograma(programa, {QStringLiteral("--help")});
        EXPECT_EQ(h.codigo, 0) << programa.toStdString() << h.errores.toStdString();
        for (const char* codigo : {"  0  ", "  1  ", "  2  ", "  3  "})
            EXPECT_TRUE(h.salida.contains(QString::fromLatin1(codigo))) << programa.toStdString();
        const Resultado mal = ejecutarPrograma(programa, {QStringLiteral("--desconocida")});
        EXPECT_EQ(mal.codigo, 2) << programa.toStdString();
    }
    // A database file that does not exist is wrong use and is never created.
    QTemporaryDir dir;
    const QString falta = dir.filePath(QStringLiteral("x.db"));
    EXPECT_EQ(ejecutarPrograma(programas[1], {QStringLiteral("-d"), falta, QStringLiteral("-Q"),
                                              QStringLiteral("SELECT 1")}).codigo, 2);
    EXPECT_EQ(ejecutarPrograma(programas[2], {QStringLiteral("-d"), falta, QStringLiteral("--screenshot"),
                                              dir.filePath(QStringLiteral("x.png"))}).codigo, 2);
    EXPECT_EQ(ejecutarPrograma(programas[0], {QStringLiteral("historial"), QStringLiteral("-d"),
                                              falta}).codigo, 2);
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
