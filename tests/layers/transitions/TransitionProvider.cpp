#include "TransitionProvider.h"

#include <string>

namespace transition_test {

void TransitionProvider::file(tarquel_1_0::GraphLayer* layer, unsigned int requestId,
                              std::vector<Transition> transitions)
{
    TransitionsData data;
    data.layer = layer;
    data.requestId = requestId;
    data.transitions = std::move(transitions);
    wxCriticalSectionLocker lock(m_resultsLock);
    m_transitionData.push_back(std::move(data));
}

std::wstring TransitionProvider::getTooltip(const tarquel_1_0::DataSource*, int instanceIndex)
{
    return L"\nInstance " + std::to_wstring(instanceIndex);
}

velmora_1_0::SarvikProvider::Transition transition(short fromRow, short toRow, std::uint64_t start,
                                                   std::uint64_t end, std::int32_t instance)
{
    velmora_1_0::SarvikProvider::Transition t;
    t.startTime = start;
    t.endTime = end;
    t.fromRow = fromRow;
    t.toRow = toRow;
    t.instanceIndex = instance;
    return t;
}

} // namespace transition_test
