#include "host/demo/DemoData.h"

#include "host/demo/DemoGenerator.h"

#include "platform/db/Error.h"
#include "platform/db/Transaction.h"

namespace demo {

void generateDemo(db::Connection& c, const DemoOptions& o)
{
    if (o.articles < 1 || o.articles > 1000000)
        throw db::Error(db::Error::Category::Usage,
            QStringLiteral("The demo needs between 1 and 1000000 articles"));
    // Warehouse codes enter pre-invoice numbers with at most three digits.
    if (o.stores < 1 || o.stores > 500)
        throw db::Error(
            db::Error::Category::Usage, QStringLiteral("The demo needs between 1 and 500 stores"));
    // The caller owns the connection; the commands only borrow it.
    const db::ConnectionPtr borrowed(std::shared_ptr<db::Connection> {}, &c);
    db::Transaction tx(c);
    if (c.scalar(QStringLiteral("SELECT COUNT(*) FROM Empresas WHERE Codigo = %1")
                     .arg(DemoGenerator::kCompany))
            .toInt()
        > 0)
        throw db::Error(db::Error::Category::Usage,
            QStringLiteral("The database already holds company %1; "
                           "the demo goes into an empty database")
                .arg(DemoGenerator::kCompany));
    DemoGenerator(borrowed, o).run();
    tx.commit();
}

}  // namespace demo
