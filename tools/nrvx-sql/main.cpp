// nrvx-sql: a sqlcmd-style console on the company database layer. It creates the schema, fills a
// demo company and runs T-SQL statements or scripts, translated for the embedded engine as the
// screens' statements are.

#include "SqlConsole.h"

#include "host/demo/DemoData.h"
#include "host/demo/Schema.h"

#include "platform/db/Connection.h"
#include "platform/db/Error.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace {

constexpr int kUsageError = 2;

std::optional<int> wholeNumber(
    const QCommandLineParser& p, const QString& name, QTextStream& err)
{
    bool ok = false;
    const int value = p.value(name).toInt(&ok);
    if (!ok || value < 0) {
        err << "nrvx-sql: --" << name << " expects a whole number, not \"" << p.value(name)
            << "\"\n";
        return std::nullopt;
    }
    return value;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("nrvx-sql"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Runs T-SQL on an NRVXReposic company database."));
    p.addHelpOption();
    p.addOptions({
        {QStringLiteral("d"), QStringLiteral("Embedded database file (created when missing)."),
            QStringLiteral("file")},
        {QStringLiteral("S"),
            QStringLiteral("Connection string. Give a password as Password=@env:NAME or "
                           "Password=@file:PATH, never in clear: the command line is public."),
            QStringLiteral("connection")},
        {QStringLiteral("init"), QStringLiteral("Create the tables, indexes and functions.")},
        {QStringLiteral("demo"), QStringLiteral("Fill the demo company (creates the schema too).")},
        {QStringLiteral("articles"), QStringLiteral("Articles of the demo company (3000)."),
            QStringLiteral("n"), QStringLiteral("3000")},
        {QStringLiteral("stores"), QStringLiteral("Stores of the demo company (20)."),
            QStringLiteral("n"), QStringLiteral("20")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the demo data (1)."), QStringLiteral("s"),
            QStringLiteral("1")},
        {QStringLiteral("Q"), QStringLiteral("Run one statement and leave."),
            QStringLiteral("statement")},
        {QStringLiteral("i"), QStringLiteral("Run a script of batches separated by GO lines."),
            QStringLiteral("file")},
    });
    if (!p.parse(QCoreApplication::arguments())) {
        err << "nrvx-sql: " << p.errorText() << '\n';
        return kUsageError;
    }
    if (p.isSet(QStringLiteral("help"))) {
        out << p.helpText();
        return 0;
    }
    if (p.isSet(QStringLiteral("d")) == p.isSet(QStringLiteral("S"))) {
        err << "nrvx-sql: give either -d FILE or -S \"connection string\"\n";
        return kUsageError;
    }
    if (p.isSet(QStringLiteral("Q")) && p.isSet(QStringLiteral("i"))) {
        err << "nrvx-sql: -Q and -i cannot be used together\n";
        return kUsageError;
    }
    const auto articles = wholeNumber(p, QStringLiteral("articles"), err);
    const auto stores = wholeNumber(p, QStringLiteral("stores"), err);
    const auto seed = wholeNumber(p, QStringLiteral("seed"), err);
    if (!articles || !stores || !seed)
        return kUsageError;

    QString script;
    if (p.isSet(QStringLiteral("i"))) {
        QFile file(p.value(QStringLiteral("i")));
        if (!file.open(QIODevice::ReadOnly)) {
            err << "nrvx-sql: cannot read " << file.fileName() << ": " << file.errorString()
                << '\n';
            return 1;
        }
        script = QString::fromUtf8(file.readAll());
    }

    const QString connectionString = p.isSet(QStringLiteral("d"))
        ? QStringLiteral("Provider=SQLite;Data Source=%1")
              .arg(QFileInfo(p.value(QStringLiteral("d"))).absoluteFilePath())
        : p.value(QStringLiteral("S"));
    db::ConnectionPtr connection = db::Connection::create();
    try {
        connection->open(connectionString);
        if (p.isSet(QStringLiteral("init")) || p.isSet(QStringLiteral("demo")))
            demo::createSchema(*connection);
        if (p.isSet(QStringLiteral("demo"))) {
            demo::DemoOptions options;
            options.articles = *articles;
            options.stores = *stores;
            options.seed = static_cast<unsigned>(*seed);
            demo::generateDemo(*connection, options);
            if (!p.isSet(QStringLiteral("Q")) && !p.isSet(QStringLiteral("i")))
                out << "Demo company 1: " << options.articles << " articles, " << options.stores
                    << " stores (seed " << options.seed << ").\n";
        }
    } catch (const db::Error& e) {
        err << e.message() << '\n';
        return 1;
    }

    SqlConsole console(connection, out, err);
    if (p.isSet(QStringLiteral("Q")))
        return console.runBatch(p.value(QStringLiteral("Q"))) ? 0 : 1;
    if (p.isSet(QStringLiteral("i")))
        return console.runScript(script);
    // Setting up a database is a command of its own; only a bare connection asks for input.
    if (p.isSet(QStringLiteral("init")) || p.isSet(QStringLiteral("demo")))
        return 0;
    return console.interactive(in);
}
