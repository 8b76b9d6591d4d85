#include "provider/ProgressObj.h"

#include <tarquel_1_0/DataProvider.h>

namespace velmora_1_0 {

ProgressObj::ProgressObj(tarquel_1_0::DataProvider* provider, tarquel_1_0::GraphLayer* layer)
    : provider(provider), layer(layer)
{
}

ProgressObj::~ProgressObj() = default;

void ProgressObj::onStart(double totalSteps)
{
    total = totalSteps;
}

void ProgressObj::onMessage(const std::wstring&)
{
    // Engine messages are not shown on the timeline; only percentages are.
}

void ProgressObj::onProgress(double steps)
{
    if (total <= 0.0 || layer == nullptr)
        return;
    done += steps;
    provider->generateProgressNotification(layer, static_cast<int>(done / total * 100.0));
}

void ProgressObj::onFinish()
{
    if (layer == nullptr)
        return;
    provider->generateProgressNotification(layer, 100);
    done = 0.0;
    total = 0.0;
}

} // namespace velmora_1_0
