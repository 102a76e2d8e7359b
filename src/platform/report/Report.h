#pragma once

#include "platform/db/Connection.h"
#include "platform/report/DataTable.h"
#include "platform/report/Printers.h"
#include "platform/report/RenderedDocument.h"
#include "platform/report/ReportDefinition.h"

#include <QHash>
#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace report {

struct LogOnInfo {
    QString server;
    QString database;
    QString user;
    QString password;
};

// One opened report file (.rpt) with what a screen hands it before output: table log-ons and
// locations, parameters by position, a selection formula, its subreports' own settings and the
// printer. It reads its data when first rendered (and again after any setting changes), through
// a db::Connection opened from its tables' log-on — or the connection given by setConnection —
// and lays it out on A4 pages for preview, printing and PDF.
//
// Ownership: the caller owns the Report (it holds its subreports). Failures throw report::Error
// whose text names the report file; database failures are rethrown the same way with the
// driver's message.
class Report {
public:
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Opens a report and the subreports it names, found beside it. Backslashes and the case of
    // folder and file names are forgiven ("...\Rpt\X.rpt" finds ".../rpt/X.rpt").
    static std::unique_ptr<Report> open(const QString& path);

    QString fileName() const { return fileName_; }
    const ReportDefinition& definition() const { return def_; }

    // Tables and their log-on.
    QStringList tableNames() const { return def_.tables; }
    void setLogOnInfo(const QString& table, const LogOnInfo& logOn);
    LogOnInfo logOnInfo(const QString& table) const;
    // "Database.dbo.Table": where the table lives; its database part wins over the log-on's.
    void setLocation(const QString& table, const QString& location);
    QString location(const QString& table) const;
    // Every table: this log-on and the location database + ".dbo." + table name.
    void logOnAll(const LogOnInfo& logOn);
    // Reads the data through this open connection instead of the log-on (the host's own).
    void setConnection(db::ConnectionPtr connection);

    // Parameters, 1-based; the value is converted to the declared type or refused.
    int parameterCount() const { return static_cast<int>(def_.parameters.size()); }
    void setParameter(int index, const QVariant& value);
    QVariant parameter(int index) const;
    QString parameterText(int index) const;

    void setSelectionFormula(const QString& formula);
    QString selectionFormula() const { return formula_; }

    QStringList subreportNames() const { return def_.subreports; }
    Report& subreport(const QString& name);

    // Printer: the stored one is the workstation's default until a screen selects another.
    // A device name that the workstation does not have leaves the stored printer (answers false).
    bool selectPrinter(const QString& driver, const QString& device, const QString& port);
    PrinterInfo printer() const { return printer_; }
    void setPrintOption(int option, int value) { printOptions_[option] = value; }
    int printOption(int option) const { return printOptions_.value(option, 0); }

    // The job's title in the print queue; the report's title (or file name) by default.
    void setDocumentName(const QString& name) { documentName_ = name; }
    QString documentName() const;

    // Output. Each renders first when a setting changed since the last render.
    void printOut(int copies = 1);
    void exportPdf(const QString& path);
    const RenderedDocument& render();
    int pageCount() { return render().pageCount(); }
    QImage pageImage(int page, int zoom) { return render().image(page, zoom); }
    QString text() { return render().text(); }

private:
    Report() = default;
    static std::unique_ptr<Report> load(const QString& path, int depth);
    DataTable fetch(const db::ConnectionPtr& connection) const;
    db::ConnectionPtr dataConnection(const db::ConnectionPtr& inherited,
                                      QHash<QString, db::ConnectionPtr>& opened) const;
    RenderedDocument renderWith(const db::ConnectionPtr& inherited,
                                QHash<QString, db::ConnectionPtr>& opened, bool continuous);
    QString substitute(const QString& sql, const db::Connection& connection) const;
    void changed();
    // Rises whenever this report or one of its subreports changes, so a render is reused only
    // while nothing it depends on has moved.
    uint64_t revision() const;
    const ParameterDef& parameterDef(int index) const;

    QString fileName_;
    ReportDefinition def_;
    QHash<QString, LogOnInfo> logOns_;     // by lower-case table name
    QHash<QString, QString> locations_;    // by lower-case table name
    db::ConnectionPtr connection_;
    QMap<int, QVariant> parameters_;
    QString formula_;
    QString documentName_;
    std::vector<std::pair<QString, std::unique_ptr<Report>>> subreports_;
    PrinterInfo printer_;
    QMap<int, int> printOptions_;
    std::optional<RenderedDocument> rendered_;
    uint64_t revision_ = 0;
    uint64_t renderedRevision_ = 0;
};

}  // namespace report
