#pragma once
// Where the data of a layer, a row set or a tooltip comes from. The control only carries it: a
// layer owns its data sources, every request holds a pointer to the layer's source, and the
// provider that understands the concrete type reads it on its worker thread. clone() lets a copied
// layer own copies of its sources.
#include <chart_export.h>

#include <memory>

namespace tarquel_1_0 {

class TARQUEL_API DataSource {
public:
    DataSource() = default;
    DataSource(const DataSource&) = default;
    DataSource& operator=(const DataSource&) = default;
    virtual ~DataSource();

    virtual std::unique_ptr<DataSource> clone() const = 0;
};

} // namespace tarquel_1_0
