#include "platform/db/Transaction.h"

namespace db {

Transaction::Transaction(Connection& connection)
    : connection_(connection), owns_(connection.transactionDepth() == 0)
{
    if (owns_)
        connection_.beginTrans();
}

Transaction::~Transaction()
{
    if (!owns_ || done_)
        return;
    // A destructor may run while an exception unwinds: a failing rollback must not terminate
    // the program; the engine discards the open transaction when the connection closes anyway.
    try {
        connection_.rollbackTrans();
    } catch (...) {
    }
}

void Transaction::commit()
{
    if (done_)
        throw Error(Error::Category::Usage, QStringLiteral("The transaction is already finished"));
    if (owns_) {
        try {
            connection_.commitTrans();
        } catch (...) {
            done_ = true;
            throw;
        }
    }
    done_ = true;
}

void Transaction::rollback()
{
    if (done_)
        return;
    done_ = true;
    if (owns_)
        connection_.rollbackTrans();
}

}  // namespace db
