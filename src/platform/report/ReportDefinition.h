#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace report {

enum class ParameterType { Number, Text, Boolean, Date };

struct ParameterDef {
    int index = 0;  // 1-based, the position screens set it by
    QString name;
    ParameterType type = ParameterType::Text;
    QVariant defaultValue;  // typed; used while a screen leaves the parameter unset
};

enum class ElementKind { Text, Field, Parameter, Sum, Count, PageNumber, Line, Subreport };

// One thing drawn in a band. Positions are millimetres from the band's top-left corner (inside
// the page margins); a line runs from rect.topLeft() to rect.bottomRight().
struct ElementDef {
    ElementKind kind = ElementKind::Text;
    QRectF rect;
    QString text;       // static text, field name, or subreport file name
    int parameter = 0;  // for Parameter
    QString format;
    Qt::Alignment align = Qt::AlignLeft;
    double fontSize = 9;  // points
    bool bold = false;
    bool italic = false;
    double lineWidth = 0.3;  // millimetres
};

struct BandDef {
    bool present = false;
    double height = 0;  // millimetres; a subreport taller than its place grows the band
    std::vector<ElementDef> elements;
};

struct GroupDef {
    QString field;
    BandDef header;
    BandDef footer;
};

// A report file (.rpt) of our own XML format, parsed; no data, no state. See rpt/Empresa.rpt for
// a complete example of every element the engine understands.
struct ReportDefinition {
    QString title;
    bool landscape = false;
    double margin = 10;  // millimetres on every side
    std::vector<ParameterDef> parameters;
    QStringList tables;
    QString mainTable;  // the table the selection formula filters
    QString sql;        // T-SQL with {?N} parameter references; empty for a report without data
    BandDef pageHeader, reportHeader, detail, reportFooter, pageFooter;
    std::vector<GroupDef> groups;  // outermost first
    QStringList subreports;        // file names, in order of first use

    // Throws report::Error naming fileName when the XML is malformed or uses unknown elements.
    static ReportDefinition parse(const QByteArray& xml, const QString& fileName);
    const ParameterDef* parameter(int index) const;
};

}  // namespace report
