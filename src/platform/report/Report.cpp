#include "platform/report/Report.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/Error.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlText.h"
#include "platform/report/DocumentPrinter.h"
#include "platform/report/Error.h"
#include "platform/report/ReportLayout.h"
#include "platform/report/SelectionFormula.h"
#include "platform/report/ValueFormat.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace report {

namespace {

constexpr int kMaxSubreportDepth = 4;

uint64_t nextRevision()
{
    static uint64_t counter = 0;
    return ++counter;
}

// The report folder is "Rpt" to the screens and may be "rpt" on disk: each missing component is
// looked for again ignoring case.
QString resolvePath(const QString& path)
{
    QString p = QDir::fromNativeSeparators(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    p = QDir::cleanPath(p);
    if (QFileInfo::exists(p))
        return p;
    const QStringList parts = p.split(QLatin1Char('/'));
    QString current = p.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QStringLiteral(".");
    for (const QString& part : parts) {
        if (part.isEmpty())
            continue;
        const QDir dir(current);
        QString found;
        if (dir.exists(part)) {
            found = part;
        } else {
            for (const QString& entry : dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
                if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                    found = entry;
                    break;
                }
            }
        }
        if (found.isEmpty())
            return p;
        current = dir.filePath(found);
    }
    return current;
}

QString numberText(const QVariant& v)
{
    if (v.typeId() == QMetaType::Double) {
        const double d = v.toDouble();
        if (d == static_cast<double>(static_cast<qlonglong>(d)))
            return QString::number(static_cast<qlonglong>(d));
        QString s = QString::number(d, 'f', 6);
        while (s.endsWith(QLatin1Char('0')))
            s.chop(1);
        if (s.endsWith(QLatin1Char('.')))
            s.chop(1);
        return s;
    }
    return QString::number(v.toLongLong());
}

bool lessKey(const db::Value& a, const db::Value& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && !b.isNull();
    if (a.isText() || b.isText())
        return a.toText().compare(b.toText(), Qt::CaseInsensitive) < 0;
    return a.toMoney() < b.toMoney();
}

}  // namespace

Report::~Report() = default;

std::unique_ptr<Report> Report::open(const QString& path)
{
    return load(path, 0);
}

std::unique_ptr<Report> Report::load(const QString& path, int depth)
{
    const QString resolved = resolvePath(path);
    QFile file(resolved);
    if (!QFileInfo(resolved).isFile() || !file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("No se encuentra el informe: %1").arg(path));

    std::unique_ptr<Report> report(new Report());
    report->fileName_ = resolved;
    report->def_ = ReportDefinition::parse(file.readAll(), resolved);
    if (const auto def = Printers::defaultPrinter())
        report->printer_ = *def;
    report->changed();

    if (!report->def_.subreports.isEmpty() && depth >= kMaxSubreportDepth)
        throw Error(QStringLiteral("Informe no válido: %1: subinformes anidados sin fin").arg(resolved));
    const QString folder = QFileInfo(resolved).absolutePath();
    for (const QString& name : report->def_.subreports)
        report->subreports_.emplace_back(name, load(folder + QLatin1Char('/') + name, depth + 1));
    return report;
}

void Report::changed()
{
    revision_ = nextRevision();
}

uint64_t Report::revision() const
{
    uint64_t r = revision_;
    for (const auto& [name, sub] : subreports_)
        r = std::max(r, sub->revision());
    return r;
}

void Report::setLogOnInfo(const QString& table, const LogOnInfo& logOn)
{
    logOns_[table.toLower()] = logOn;
    changed();
}

LogOnInfo Report::logOnInfo(const QString& table) const
{
    return logOns_.value(table.toLower());
}

void Report::setLocation(const QString& table, const QString& location)
{
    locations_[table.toLower()] = location;
    changed();
}

QString Report::location(const QString& table) const
{
    return locations_.value(table.toLower());
}

void Report::logOnAll(const LogOnInfo& logOn)
{
    for (const QString& table : def_.tables) {
        setLogOnInfo(table, logOn);
        setLocation(table, logOn.database + QStringLiteral(".dbo.") + table);
    }
}

void Report::setConnection(db::ConnectionPtr connection)
{
    connection_ = std::move(connection);
    changed();
}

const ParameterDef& Report::parameterDef(int index) const
{
    const ParameterDef* p = def_.parameter(index);
    if (!p)
        throw Error(QStringLiteral("El informe %1 no tiene el parámetro %2").arg(fileName_).arg(index));
    return *p;
}

void Report::setParameter(int index, const QVariant& value)
{
    const ParameterDef& p = parameterDef(index);
    QVariant v;
    bool ok = true;
    switch (p.type) {
    case ParameterType::Number:
        if (value.typeId() == QMetaType::Bool) {
            v = value.toBool() ? 1 : 0;
        } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
            v = value.toDouble();
        } else {
            const QString s = value.toString().trimmed();
            const qlonglong i = s.toLongLong(&ok);
            if (ok)
                v = i;
            else
                v = s.toDouble(&ok);
        }
        break;
    case ParameterType::Text:
        v = value.toString();
        break;
    case ParameterType::Boolean:
        if (value.typeId() == QMetaType::QString) {
            const QString s = value.toString().trimmed().toLower();
            ok = s == QLatin1String("true") || s == QLatin1String("false") || s == QLatin1String("1")
                 || s == QLatin1String("0");
            v = s == QLatin1String("true") || s == QLatin1String("1");
        } else {
            v = value.toBool();
        }
        break;
    case ParameterType::Date:
        v = value.toDate();
        ok = value.isNull() || v.toDate().isValid();
        break;
    }
    if (!ok)
        throw Error(QStringLiteral("Valor no válido para el parámetro %1 del informe %2: %3")
                        .arg(index)
                        .arg(fileName_, value.toString()));
    parameters_[index] = v;
    changed();
}

QVariant Report::parameter(int index) const
{
    const ParameterDef& p = parameterDef(index);
    return parameters_.value(index, p.defaultValue);
}

QString Report::parameterText(int index) const
{
    const QVariant v = parameter(index);
    switch (parameterDef(index).type) {
    case ParameterType::Number:
        return numberText(v);
    case ParameterType::Boolean:
        return v.toBool() ? QStringLiteral("Sí") : QStringLiteral("No");
    case ParameterType::Date:
        return ValueFormat::date(v.toDate(), QString());
    case ParameterType::Text:
        break;
    }
    return v.toString();
}

void Report::setSelectionFormula(const QString& formula)
{
    SelectionFormula::parse(formula, fileName_);  // refuses a bad formula where it is set
    formula_ = formula;
    changed();
}

Report& Report::subreport(const QString& name)
{
    for (auto& [subName, sub] : subreports_) {
        if (subName.compare(name, Qt::CaseInsensitive) == 0)
            return *sub;
    }
    throw Error(QStringLiteral("El informe %1 no tiene el subinforme %2").arg(fileName_, name));
}

bool Report::selectPrinter(const QString& driver, const QString& device, const QString& port)
{
    const auto found = Printers::find(device);
    if (!found)
        return false;
    printer_ = PrinterInfo{device, driver.isEmpty() ? found->driverName : driver,
                           port.isEmpty() ? found->port : port};
    return true;
}

// Parameter references become literals of their declared type: numbers as plain numbers, texts
// quoted with their quotes doubled, booleans 1/0, dates in the engine's own form.
QString Report::substitute(const QString& sql, const db::Connection& connection) const
{
    static const QRegularExpression ref(QStringLiteral(R"(\{\?(\d+)\})"));
    QString out;
    qsizetype last = 0;
    auto it = ref.globalMatch(sql);
    while (it.hasNext()) {
        const auto m = it.next();
        const int index = m.captured(1).toInt();
        const ParameterDef& p = parameterDef(index);
        const QVariant v = parameter(index);
        QString literal;
        switch (p.type) {
        case ParameterType::Number:
            literal = numberText(v);
            break;
        case ParameterType::Text:
            literal = db::sqlText(v.toString());
            break;
        case ParameterType::Boolean:
            literal = v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
            break;
        case ParameterType::Date:
            literal = v.toDate().isValid() ? db::sqlDate(connection, v.toDate())
                                           : QStringLiteral("NULL");
            break;
        }
        out += sql.mid(last, m.capturedStart() - last) + literal;
        last = m.capturedEnd();
    }
    return out + sql.mid(last);
}

db::ConnectionPtr Report::dataConnection(const db::ConnectionPtr& inherited,
                                         QHash<QString, db::ConnectionPtr>& opened) const
{
    if (connection_)
        return connection_;
    for (const QString& table : def_.tables) {
        const LogOnInfo logOn = logOnInfo(table);
        if (logOn.server.isEmpty())
            continue;
        QString database = logOn.database;
        const QString loc = location(table);
        const int dot = loc.indexOf(QLatin1Char('.'));
        if (dot > 0)
            database = loc.left(dot);
        using db::ConnectionString;
        const QString cs = QStringLiteral("Provider=SQLOLEDB;Server=%1;Database=%2;User Id=%3;"
                                          "Password=%4;")
                               .arg(ConnectionString::quoteOleDb(logOn.server),
                                    ConnectionString::quoteOleDb(database),
                                    ConnectionString::quoteOleDb(logOn.user),
                                    ConnectionString::quoteOleDb(logOn.password));
        if (!opened.contains(cs))
            opened.insert(cs, db::Connection::openShared(cs));
        return opened.value(cs);
    }
    if (inherited)
        return inherited;
    throw Error(QStringLiteral("El informe %1 no tiene datos de conexión para la tabla %2")
                    .arg(fileName_, def_.tables.value(0)));
}

DataTable Report::fetch(const db::ConnectionPtr& connection) const
{
    DataTable data;
    db::Recordset rs(connection, substitute(def_.sql, *connection));
    data.columns = rs.fieldNames();
    const SelectionFormula formula = SelectionFormula::parse(formula_, fileName_);
    std::vector<int> termColumns;
    for (const auto& term : formula.terms()) {
        if (!def_.tables.contains(term.table, Qt::CaseInsensitive))
            throw Error(QStringLiteral("Fórmula de selección de %1: la tabla %2 no está en el informe")
                            .arg(fileName_, term.table));
        const int c = data.column(term.field);
        if (c < 0)
            throw Error(QStringLiteral("Fórmula de selección de %1: el campo %2 no está en los datos")
                            .arg(fileName_, term.field));
        termColumns.push_back(c);
    }
    for (; !rs.eof(); rs.moveNext()) {
        std::vector<db::Value> row;
        row.reserve(data.columns.size());
        for (int i = 0; i < data.columns.size(); ++i)
            row.push_back(rs.field(i));
        bool keep = true;
        for (size_t t = 0; keep && t < termColumns.size(); ++t)
            keep = SelectionFormula::matches(formula.terms()[t], row[termColumns[t]]);
        if (keep)
            data.rows.push_back(std::move(row));
    }

    // Groups read rows in group order whatever order the statement gave them.
    std::vector<int> keys;
    for (const GroupDef& g : def_.groups) {
        const int c = data.column(g.field);
        if (c < 0)
            throw Error(QStringLiteral("El informe %1 agrupa por %2, que sus datos no tienen")
                            .arg(fileName_, g.field));
        keys.push_back(c);
    }
    if (!keys.empty()) {
        std::stable_sort(data.rows.begin(), data.rows.end(),
                         [&keys](const auto& a, const auto& b) {
                             for (int c : keys) {
                                 if (lessKey(a[c], b[c]))
                                     return true;
                                 if (lessKey(b[c], a[c]))
                                     return false;
                             }
                             return false;
                         });
    }
    return data;
}

RenderedDocument Report::renderWith(const db::ConnectionPtr& inherited,
                                    QHash<QString, db::ConnectionPtr>& opened, bool continuous)
{
    DataTable data;
    db::ConnectionPtr connection;
    if (!def_.sql.isEmpty()) {
        connection = dataConnection(inherited, opened);
        try {
            data = fetch(connection);
        } catch (const db::Error& e) {
            throw Error(QStringLiteral("Informe %1: %2").arg(QFileInfo(fileName_).fileName(),
                                                             e.message()));
        }
    }

    ReportLayout::Input input;
    input.definition = &def_;
    input.data = &data;
    input.fileName = fileName_;
    input.continuous = continuous;
    input.parameterText = [this](int index) { return parameterText(index); };
    for (auto& [name, sub] : subreports_) {
        const db::ConnectionPtr forSub = connection ? connection : inherited;
        input.subreports.insert(name.toLower(),
                                ReportLayout::block(sub->renderWith(forSub, opened, true)));
    }
    return ReportLayout::layout(input);
}

const RenderedDocument& Report::render()
{
    const uint64_t current = revision();
    if (!rendered_ || renderedRevision_ != current) {
        QHash<QString, db::ConnectionPtr> opened;
        try {
            rendered_ = renderWith(nullptr, opened, false);
        } catch (const db::Error& e) {
            throw Error(QStringLiteral("Informe %1: %2").arg(QFileInfo(fileName_).fileName(),
                                                             e.message()));
        }
        renderedRevision_ = current;
    }
    return *rendered_;
}

QString Report::documentName() const
{
    if (!documentName_.isEmpty())
        return documentName_;
    return def_.title.isEmpty() ? QFileInfo(fileName_).completeBaseName() : def_.title;
}

void Report::printOut(int copies)
{
    const RenderedDocument& doc = render();
    PrintTarget target;
    target.printerName = printer_.deviceName;
    target.copies = copies;
    target.documentName = documentName();
    DocumentPrinter::print(doc, target);
}

void Report::exportPdf(const QString& path)
{
    const RenderedDocument& doc = render();
    PrintTarget target;
    target.pdfFile = path;
    target.documentName = documentName();
    DocumentPrinter::print(doc, target);
}

}  // namespace report
