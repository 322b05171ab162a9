#pragma once

#include <QObject>
#include <functional>
#include <vector>

// Every test class of a subsystem registers itself here; the subsystem's one
// executable runs them all (see TestMain.cpp).
namespace testing {

using Factory = std::function<QObject *()>;

std::vector<Factory> &registry();

struct Registrar
{
    explicit Registrar(Factory f) { registry().push_back(std::move(f)); }
};

} // namespace testing

#define DRILLBAY_TEST(Class)                                                                       \
    static const testing::Registrar registrar_##Class([] { return new Class; });
