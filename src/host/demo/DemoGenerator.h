#pragma once

#include "host/demo/DemoData.h"
#include "host/demo/DemoRandom.h"

#include "platform/db/Connection.h"
#include "platform/db/Money.h"

#include <QString>

#include <vector>

namespace demo {

// Writes the demo company table by table. Each step draws from one random stream in a fixed
// order, so the data depend only on the options.
class DemoGenerator {
public:
    DemoGenerator(const db::ConnectionPtr& connection, const DemoOptions& options);
    void run();

    static constexpr int kCompany = 1;
    static constexpr int kCentral = 1;
    static constexpr int kMatchingStore = 2;
    static constexpr int kMatchingSupplier = 1;

private:
    struct Article {
        int code;
        int family1, family2, family3;
        int brand;
        int supplier;
        int unitsPerBox;
        int tipoRep;
        int64_t costCents;
        int64_t centralStock;
    };

    void company();
    void warehouses();
    void families();
    void brandsAndSuppliers();
    void articles();
    void assortment();
    void groups();
    void perishables();
    void supplierDocuments();
    void viewerColumns();

    int store(int i) const { return kCentral + 1 + i; }
    std::vector<const Article*> articlesOf(int supplier, int family1 = 0) const;
    static db::Money cents(int64_t c) { return db::Money::fromScaled(c * 100); }
    static db::Money units(int64_t u) { return db::Money::fromInt(u); }

    db::ConnectionPtr c_;
    DemoOptions o_;
    DemoRandom rnd_;
    QDate today_;
    std::vector<Article> articles_;
};

}  // namespace demo
