#pragma once
// A layer for tests and benchmarks that goes the whole way of a real one: it asks a TestProvider
// for one record per row sized to the view, takes its answers in checkData (dropping answers to
// requests it no longer waits for), applies them in updateData and draws one horizontal line per
// row with data, at the row's middle, as wide as the record.
#include <tarquel_1_0/GraphLayer.h>

#include "TestProvider.h"

#include <map>
#include <vector>

namespace chart_test {

class LineLayer : public tarquel_1_0::GraphLayer {
public:
    void requestData(bool onlyIfMissing) override;
    bool checkData() override;
    void updateData(wxMemoryDC& dc, bool render) override;
    void renderAll(wxMemoryDC& dc) override;
    void clear() override;

    const std::map<int, std::vector<double>>& rows() const { return m_rows; }
    int updates() const { return m_updates; }

private:
    TestProvider* provider() const;
    void renderRow(wxMemoryDC& dc, int displayRow);

    std::map<int, std::vector<double>> m_rows; // per data row
    std::vector<TestProvider::Record> m_pending;
    bool m_loaded = false;
    int m_updates = 0;
};

} // namespace chart_test
