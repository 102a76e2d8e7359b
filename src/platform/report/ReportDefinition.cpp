#include "platform/report/ReportDefinition.h"

#include "platform/report/Error.h"

#include <QDate>
#include <QXmlStreamReader>

namespace report {

namespace {

// Reads one report file; every complaint names the file and the line, since a report author
// fixes them with only the message box to go on.
class Parser {
public:
    Parser(const QByteArray& xml, const QString& fileName) : xml_(xml), file_(fileName) {}

    ReportDefinition run()
    {
        if (!xml_.readNextStartElement())
            fail(QStringLiteral("el fichero no es un informe"));
        if (xml_.name() != QLatin1String("report"))
            fail(QStringLiteral("se esperaba <report>"));
        def_.title = attr("title");
        def_.landscape = attr("orientation") == QLatin1String("landscape");
        if (xml_.attributes().hasAttribute(QLatin1String("margin")))
            def_.margin = number("margin");
        while (xml_.readNextStartElement()) {
            const auto n = xml_.name();
            if (n == QLatin1String("parameters"))
                parameters();
            else if (n == QLatin1String("tables"))
                tables();
            else if (n == QLatin1String("data")) {
                def_.mainTable = attr("table");
                def_.sql = xml_.readElementText().trimmed();
            } else if (n == QLatin1String("pageHeader"))
                band(def_.pageHeader);
            else if (n == QLatin1String("reportHeader"))
                band(def_.reportHeader);
            else if (n == QLatin1String("detail"))
                band(def_.detail);
            else if (n == QLatin1String("reportFooter"))
                band(def_.reportFooter);
            else if (n == QLatin1String("pageFooter"))
                band(def_.pageFooter);
            else if (n == QLatin1String("group"))
                group();
            else
                unknown();
        }
        if (xml_.hasError())
            fail(xml_.errorString());
        if (!def_.mainTable.isEmpty() && !def_.tables.contains(def_.mainTable, Qt::CaseInsensitive))
            def_.tables << def_.mainTable;
        return def_;
    }

private:
    [[noreturn]] void fail(const QString& why)
    {
        throw Error(QStringLiteral("Informe no válido: %1 (línea %2): %3")
                        .arg(file_)
                        .arg(xml_.lineNumber())
                        .arg(why));
    }
    void unknown() { fail(QStringLiteral("elemento desconocido <%1>").arg(xml_.name())); }

    QString attr(const char* name) const
    {
        return xml_.attributes().value(QLatin1String(name)).toString();
    }
    double number(const char* name, double fallback = 0)
    {
        const QString s = attr(name);
        if (s.isEmpty())
            return fallback;
        bool ok = false;
        const double v = s.toDouble(&ok);
        if (!ok)
            fail(QStringLiteral("el atributo %1 no es un número: %2")
                     .arg(QLatin1String(name), s));
        return v;
    }

    void parameters()
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("parameter"))
                unknown();
            ParameterDef p;
            p.index = static_cast<int>(number("index"));
            if (p.index < 1)
                fail(QStringLiteral("parámetro sin posición"));
            p.name = attr("name");
            const QString type = attr("type");
            if (type == QLatin1String("number"))
                p.type = ParameterType::Number;
            else if (type == QLatin1String("text") || type.isEmpty())
                p.type = ParameterType::Text;
            else if (type == QLatin1String("boolean"))
                p.type = ParameterType::Boolean;
            else if (type == QLatin1String("date"))
                p.type = ParameterType::Date;
            else
                fail(QStringLiteral("tipo de parámetro desconocido: %1").arg(type));
            const bool hasDefault = xml_.attributes().hasAttribute(QLatin1String("default"));
            const QString d = attr("default");
            switch (p.type) {
            case ParameterType::Number:
                p.defaultValue = hasDefault ? QVariant(d.toDouble()) : QVariant(0);
                break;
            case ParameterType::Text:
                p.defaultValue = d;
                break;
            case ParameterType::Boolean:
                p.defaultValue = d == QLatin1String("true") || d == QLatin1String("1");
                break;
            case ParameterType::Date:
                p.defaultValue = QDate::fromString(d, Qt::ISODate);
                break;
            }
            if (def_.parameter(p.index))
                fail(QStringLiteral("parámetro %1 repetido").arg(p.index));
            def_.parameters.push_back(p);
            xml_.skipCurrentElement();
        }
    }

    void tables()
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("table"))
                unknown();
            def_.tables << attr("name");
            xml_.skipCurrentElement();
        }
    }

    void group()
    {
        GroupDef g;
        g.field = attr("field");
        if (g.field.isEmpty())
            fail(QStringLiteral("grupo sin campo"));
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("header"))
                band(g.header);
            else if (xml_.name() == QLatin1String("footer"))
                band(g.footer);
            else
                unknown();
        }
        def_.groups.push_back(g);
    }

    void band(BandDef& b)
    {
        b.present = true;
        b.height = number("height");
        while (xml_.readNextStartElement())
            b.elements.push_back(element());
    }

    ElementDef element()
    {
        ElementDef e;
        const auto n = xml_.name();
        if (n == QLatin1String("text"))
            e.kind = ElementKind::Text;
        else if (n == QLatin1String("field"))
            e.kind = ElementKind::Field;
        else if (n == QLatin1String("param"))
            e.kind = ElementKind::Parameter;
        else if (n == QLatin1String("sum"))
            e.kind = ElementKind::Sum;
        else if (n == QLatin1String("count"))
            e.kind = ElementKind::Count;
        else if (n == QLatin1String("pageNumber"))
            e.kind = ElementKind::PageNumber;
        else if (n == QLatin1String("line"))
            e.kind = ElementKind::Line;
        else if (n == QLatin1String("subreport"))
            e.kind = ElementKind::Subreport;
        else
            unknown();

        if (e.kind == ElementKind::Line) {
            e.rect = QRectF(QPointF(number("x1"), number("y1")), QPointF(number("x2"), number("y2")));
            e.lineWidth = number("width", 0.3);
            xml_.skipCurrentElement();
            return e;
        }
        e.rect = QRectF(number("x"), number("y"), number("w"), number("h", 5));
        e.format = attr("format");
        e.fontSize = number("size", 9);
        e.bold = attr("bold") == QLatin1String("true");
        e.italic = attr("italic") == QLatin1String("true");
        const QString align = attr("align");
        e.align = align == QLatin1String("right")    ? Qt::AlignRight
                  : align == QLatin1String("center") ? Qt::AlignHCenter
                                                     : Qt::AlignLeft;
        switch (e.kind) {
        case ElementKind::Field:
        case ElementKind::Sum:
            e.text = attr("name");
            if (e.text.isEmpty())
                fail(QStringLiteral("<%1> sin atributo name").arg(n));
            break;
        case ElementKind::Parameter:
            e.parameter = static_cast<int>(number("index"));
            break;
        case ElementKind::Subreport:
            e.text = attr("name");
            if (e.text.isEmpty())
                fail(QStringLiteral("subinforme sin nombre"));
            if (!def_.subreports.contains(e.text, Qt::CaseInsensitive))
                def_.subreports << e.text;
            break;
        default:
            break;
        }
        const QString body = xml_.readElementText();
        if (e.kind == ElementKind::Text)
            e.text = body;
        return e;
    }

    QXmlStreamReader xml_;
    QString file_;
    ReportDefinition def_;
};

}  // namespace

ReportDefinition ReportDefinition::parse(const QByteArray& xml, const QString& fileName)
{
    ReportDefinition def = Parser(xml, fileName).run();
    for (const auto& band : {&def.pageHeader, &def.reportHeader, &def.detail, &def.reportFooter,
                             &def.pageFooter}) {
        for (const auto& e : band->elements) {
            if (e.kind == ElementKind::Parameter && !def.parameter(e.parameter))
                throw Error(QStringLiteral("Informe no válido: %1: el parámetro %2 no está declarado")
                                .arg(fileName)
                                .arg(e.parameter));
        }
    }
    return def;
}

const ParameterDef* ReportDefinition::parameter(int index) const
{
    for (const auto& p : parameters) {
        if (p.index == index)
            return &p;
    }
    return nullptr;
}

}  // namespace report
