#pragma once
// The progress object of one long engine query run by a provider: the engine reports its steps
// through the hooks, and the object turns them into percentages posted to the requesting layer
// as progress notifications (from the worker thread; the base delivers them on the UI thread).
// The UI thread cancels the query through cancel() under the provider's progress lock.
#include <VelmoraExport.h>

#include <dd_sarvik_2_2/dd_progress_impl.h>

namespace tarquel_1_0 {
class DataProvider;
class GraphLayer;
} // namespace tarquel_1_0

namespace velmora_1_0 {

class VELMORA_API ProgressObj : public dd_sarvik_2_2::dd_progress_impl {
public:
    // `layer` may be null: nothing is reported then, but the query can still be cancelled.
    ProgressObj(tarquel_1_0::DataProvider* provider, tarquel_1_0::GraphLayer* layer);
    ~ProgressObj() override;

    // Touched only from the hooks, which the engine serializes.
    double done = 0.0;
    double total = 0.0;
    tarquel_1_0::DataProvider* provider;
    tarquel_1_0::GraphLayer* layer;

protected:
    void onStart(double totalSteps) override;
    void onMessage(const std::wstring& text) override;
    void onProgress(double steps) override;
    void onFinish() override;
};

} // namespace velmora_1_0
