#include "platform/db/SqliteFunctions.h"

// Built twice: into the driver, which links SQLite, and into the loadable extension, which
// reaches SQLite only through the table of routines the loading program hands it.
#ifdef NRVX_SQLITE_LOADABLE
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif

#include <QCollator>
#include <QLocale>

#include <cstring>

namespace db {

namespace {

using Shared = std::shared_ptr<SqliteFunctions>;

// The document totals the matching screen reads: lines or units of one supplier order or
// one mini-purchase. Units are summed as whole ten-thousandths, exactly, as DECIMAL sums.
const char* const kTotals[] = {
    "SELECT COUNT(*) FROM Pedidos_Proveedores_Lineas WHERE Cod_Empresa = ?1 AND Codigo = ?2",
    "SELECT IFNULL(SUM(CAST(ROUND(Unidades * 10000) AS INTEGER)), 0) / 10000.0"
    " FROM Pedidos_Proveedores_Lineas WHERE Cod_Empresa = ?1 AND Codigo = ?2",
    "SELECT COUNT(*) FROM Compras_Mini_Lineas WHERE Cod_Empresa = ?1 AND Cod_Ejercicio = ?2"
    " AND Cod_Almacen = ?3 AND Codigo = ?4",
    "SELECT IFNULL(SUM(CAST(ROUND(Unidades * 10000) AS INTEGER)), 0) / 10000.0"
    " FROM Compras_Mini_Lineas WHERE Cod_Empresa = ?1"
    " AND Cod_Ejercicio = ?2 AND Cod_Almacen = ?3 AND Codigo = ?4",
};

// Each registration holds one reference, so the object lives as long as any of them.
void release(void* p) { delete static_cast<Shared*>(p); }

SqliteFunctions* from(void* p) { return static_cast<Shared*>(p)->get(); }

SqliteFunctions* from(sqlite3_context* ctx) { return from(sqlite3_user_data(ctx)); }

void nullVariable(sqlite3_context* ctx, int, sqlite3_value**) { sqlite3_result_null(ctx); }

}  // namespace

SqliteFunctions::SqliteFunctions(sqlite3* db, const Options& options)
    : db_(db), options_(options),
      collator_(std::make_unique<QCollator>(QLocale(QLocale::Spanish, QLocale::Spain)))
{
    collator_->setCaseSensitivity(Qt::CaseInsensitive);
}

// Statements are the owner's to finalize while the connection is open (finalizeStatements):
// by the time the last registration lets go of this object the connection is closing.
SqliteFunctions::~SqliteFunctions() = default;

void SqliteFunctions::finalizeStatements()
{
    for (sqlite3_stmt*& s : totals_) {
        sqlite3_finalize(s);
        s = nullptr;
    }
}

int SqliteFunctions::install(sqlite3* db, const Options& options, Shared* out)
{
    const Shared self(new SqliteFunctions(db, options));
    if (out)
        *out = self;

    auto* ref = new Shared(self);
    int rc = sqlite3_create_collation_v2(db, "ES_CI_AS", SQLITE_UTF8, ref, compare, release);
    if (rc != SQLITE_OK) {
        delete ref;  // SQLite keeps nothing of a failed collation
        return rc;
    }

    struct Function {
        const char* name;
        int args;
        bool deterministic;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };
    const Function functions[] = {
        {"nrvx_servername", 0, false, serverName},
        {"nrvx_trancount", 0, false, transactionCount},
        {"nrvx_set_session", 2, false, setSession},
        {"nrvx_var", 1, true, nullVariable},
        {"fn_PedidosProvTotalLineas", 2, false, documentTotal<0>},
        {"fn_PedidosProvTotalUnidades", 2, false, documentTotal<1>},
        {"fn_ComprasMiniTotalLineas", 4, false, documentTotal<2>},
        {"fn_ComprasMiniTotalUnidades", 4, false, documentTotal<3>},
    };
    for (const Function& f : functions) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        // On failure SQLite itself releases the reference.
        rc = sqlite3_create_function_v2(db, f.name, f.args, flags, new Shared(self), f.call,
                                        nullptr, nullptr, release);
        if (rc != SQLITE_OK)
            return rc;
    }
    return SQLITE_OK;
}

// Case-insensitive, accent-sensitive, Spanish order: what the company databases' collation does.
int SqliteFunctions::compare(void* self, int la, const void* a, int lb, const void* b)
{
    if (la == lb && std::memcmp(a, b, la) == 0)
        return 0;
    const QString sa = QString::fromUtf8(static_cast<const char*>(a), la);
    const QString sb = QString::fromUtf8(static_cast<const char*>(b), lb);
    return from(self)->collator_->compare(sa, sb);
}

void SqliteFunctions::serverName(sqlite3_context* ctx, int, sqlite3_value**)
{
    SqliteFunctions* self = from(ctx);
    if (!self->told_) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray name = self->serverName_.toUtf8();
    sqlite3_result_text(ctx, name.constData(), name.size(), SQLITE_TRANSIENT);
}

void SqliteFunctions::transactionCount(sqlite3_context* ctx, int, sqlite3_value**)
{
    SqliteFunctions* self = from(ctx);
    if (self->told_)
        sqlite3_result_int(ctx, self->depth_);
    else
        sqlite3_result_int(ctx, sqlite3_get_autocommit(self->db_) ? 0 : 1);
}

void SqliteFunctions::setSession(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    SqliteFunctions* self = from(ctx);
    const auto* name = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    self->serverName_ = QString::fromUtf8(name, sqlite3_value_bytes(argv[0]));
    self->depth_ = sqlite3_value_int(argv[1]);
    self->told_ = true;
    sqlite3_result_null(ctx);
}

template <int Which>
void SqliteFunctions::documentTotal(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    from(ctx)->total(Which, ctx, argc, argv);
}

void SqliteFunctions::total(int which, sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    sqlite3_stmt* s = totals_[which];
    if (!s) {
        const unsigned flags = options_.keepStatements ? SQLITE_PREPARE_PERSISTENT : 0;
        if (sqlite3_prepare_v3(db_, kTotals[which], -1, flags, &s, nullptr) != SQLITE_OK) {
            sqlite3_result_error(ctx, sqlite3_errmsg(db_), -1);
            return;
        }
    }
    for (int i = 0; i < argc; ++i)
        sqlite3_bind_value(s, i + 1, argv[i]);
    if (sqlite3_step(s) == SQLITE_ROW)
        sqlite3_result_value(ctx, sqlite3_column_value(s, 0));
    else
        sqlite3_result_error(ctx, sqlite3_errmsg(db_), -1);
    if (options_.keepStatements) {
        sqlite3_reset(s);
        totals_[which] = s;
    } else {
        sqlite3_finalize(s);
    }
}

}  // namespace db
