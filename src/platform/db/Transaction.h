#pragma once

#include "platform/db/Connection.h"

namespace db {

// Begins a transaction on construction and rolls it back on destruction unless commit()
// succeeded, so an exception can never leave one open. A commit that fails has already been
// rolled back by the connection: the guard is then finished and its destructor touches nothing
// (the connection may by then carry someone else's transaction). Inside a transaction the caller
// already holds (the host's, or an outer operation's), it joins: it neither begins nor commits,
// and leaves the rollback to the owner.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    explicit Transaction(const ConnectionPtr& connection) : Transaction(*connection) {}
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();  // a commit after the guard finished throws db::Error(Usage)
    void rollback();
    bool owns() const { return owns_; }

private:
    Connection& connection_;
    bool owns_;
    bool done_ = false;  // committed, rolled back or failed to commit
};

}  // namespace db
