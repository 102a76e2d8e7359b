#pragma once

#include <span>

namespace demo {

// Names the demo company is made of: a Spanish supermarket's families with the products and
// pack sizes of each, brands, suppliers, towns and the article viewer's columns.
struct DemoSubfamily {
    const char* name;
    std::span<const char* const> products;
    std::span<const char* const> sizes;
};

struct DemoFamily {
    const char* name;
    char aisle;  // first letter of the shelf location at the central warehouse
    std::span<const DemoSubfamily> subfamilies;
};

struct DemoColumn {
    const char* id;
    const char* description;
    bool central;  // shown by default in the central-warehouse viewer
    bool supplier;  // shown by default in the supplier viewer
};

struct DemoCatalogue {
    static std::span<const DemoFamily> families();
    static std::span<const char* const> thirdLevels();
    static std::span<const char* const> brands();
    static std::span<const char* const> suppliers();
    static std::span<const char* const> towns();
    static std::span<const DemoColumn> viewerColumns();
};

}  // namespace demo
