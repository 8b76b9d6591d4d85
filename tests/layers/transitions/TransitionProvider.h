#pragma once
// A SarvikProvider without a result or a worker for transition layer tests and benchmarks: the
// test files finished records itself, as the worker would, and instance tooltips are fixed texts.
// End it with deleteSelf (TransitionProviderPtr does).
#include "provider/SarvikProvider.h"

#include <memory>

namespace transition_test {

class TransitionProvider : public velmora_1_0::SarvikProvider {
public:
    void file(tarquel_1_0::GraphLayer* layer, unsigned int requestId, std::vector<Transition> transitions);
    // "\nInstance <index>".
    std::wstring getTooltip(const tarquel_1_0::DataSource* source, int instanceIndex) override;
};

struct DeleteSelf {
    void operator()(tarquel_1_0::DataProvider* provider) const { provider->deleteSelf(); }
};
using TransitionProviderPtr = std::unique_ptr<TransitionProvider, DeleteSelf>;

velmora_1_0::SarvikProvider::Transition transition(short fromRow, short toRow, std::uint64_t start,
                                                   std::uint64_t end, std::int32_t instance = 0);

} // namespace transition_test
