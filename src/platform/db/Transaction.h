#pragma once

#include "platform/db/Connection.h"

namespace db {

// Begins a transaction on construction and rolls it back on destruction unless commit() ran,
// so an exception can never leave one open. Inside a transaction the caller already holds
// (the host's, or an outer operation's), it joins: it neither begins nor commits, and leaves
// the rollback to the owner.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    explicit Transaction(const ConnectionPtr& connection) : Transaction(*connection) {}
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();  // a second commit throws db::Error(Usage)
    void rollback();
    bool owns() const { return owns_; }

private:
    Connection& connection_;
    bool owns_;
    bool done_ = false;
};

}  // namespace db
