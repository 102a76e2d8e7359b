#pragma once

#include <QString>

#include <memory>

struct sqlite3;
struct sqlite3_context;
struct sqlite3_stmt;
struct sqlite3_value;
class QCollator;

namespace db {

// The collation and SQL functions that the company schema and the module's statements expect of
// the engine: ES_CI_AS (case-insensitive, accent-sensitive, Spanish order), the document totals
// (fn_PedidosProvTotalLineas ...) and what @@SERVERNAME, @@TRANCOUNT and @variables become.
// @@SERVERNAME and @@TRANCOUNT are the owner's to tell (setServerName, setTransactionDepth, or
// SELECT nrvx_set_session(name, depth) from a connection that only reaches SQL); until it does,
// as in the tools, the name is NULL and the count is 1 inside a transaction and 0 outside.
// One source serves the driver and the loadable extension for the standard SQLite tools: an
// index on ES_CI_AS written by one must be in the order the other reads, or it is corrupt there.
class SqliteFunctions {
public:
    struct Options {
        // Keep the document totals' statements prepared between calls (a listing calls them once
        // a row). The owner must then call finalizeStatements() before closing the connection.
        bool keepStatements = false;
    };

    // Registers everything on db. The registrations keep the object alive until the connection
    // closes; `out`, when given, shares it with the owner. Answers SQLITE_OK or the first error.
    static int install(sqlite3* db, const Options& options,
                       std::shared_ptr<SqliteFunctions>* out = nullptr);

    ~SqliteFunctions();
    SqliteFunctions(const SqliteFunctions&) = delete;
    SqliteFunctions& operator=(const SqliteFunctions&) = delete;

    void setServerName(const QString& name)
    {
        serverName_ = name;
        told_ = true;
    }
    void setTransactionDepth(int depth)
    {
        depth_ = depth;
        told_ = true;
    }
    void finalizeStatements();

private:
    static constexpr int kDocumentTotals = 4;

    SqliteFunctions(sqlite3* db, const Options& options);

    static int compare(void* self, int la, const void* a, int lb, const void* b);
    static void serverName(sqlite3_context* ctx, int argc, sqlite3_value** argv);
    static void transactionCount(sqlite3_context* ctx, int argc, sqlite3_value** argv);
    static void setSession(sqlite3_context* ctx, int argc, sqlite3_value** argv);
    template <int Which>
    static void documentTotal(sqlite3_context* ctx, int argc, sqlite3_value** argv);
    void total(int which, sqlite3_context* ctx, int argc, sqlite3_value** argv);

    sqlite3* db_;
    Options options_;
    std::unique_ptr<QCollator> collator_;
    QString serverName_;
    int depth_ = 0;
    bool told_ = false;
    sqlite3_stmt* totals_[kDocumentTotals] = {};
};

}  // namespace db
