#pragma once

#include "platform/db/Connection.h"

#include <QDate>

namespace demo {

struct DemoOptions {
    unsigned seed = 1;
    int articles = 3000;
    int stores = 20;
    // The day the company's documents are dated around; invalid means today
    // by the host's clock.
    QDate today = {};
};

// Fills an empty company database (schema already created) with a demo company 1: a central
// warehouse 1, stores 2.., articles with families, brands, bar codes, stock, tariffs and pending
// replenishment, groups, perishable orders, suppliers, and the supplier orders and
// mini-purchases of one store and of the central warehouse. The same options give the same data.
// Runs in one transaction; refuses a database that already has company 1. Throws db::Error on
// failure, leaving the database as it was.
void generateDemo(db::Connection& c, const DemoOptions& o = {});

}  // namespace demo
