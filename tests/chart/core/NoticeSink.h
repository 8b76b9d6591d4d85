#pragma once
// Stands in for the timeline as the receiver of provider notices: records every notice with the
// thread it arrived on.
#include <tarquel_1_0/ProviderNotice.h>

#include <vector>

#include <wx/event.h>
#include <wx/thread.h>

namespace chart_test {

class NoticeSink : public wxEvtHandler {
public:
    struct Received {
        tarquel_1_0::ProviderNotice notice;
        bool dataReady;
        bool onMainThread;
    };

    NoticeSink()
    {
        Bind(tarquel_1_0::EVT_PROVIDER_DATA_READY, [this](wxThreadEvent& e) { record(e, true); });
        Bind(tarquel_1_0::EVT_PROVIDER_PROGRESS, [this](wxThreadEvent& e) { record(e, false); });
    }

    int dataReadyFor(const tarquel_1_0::GraphLayer* layer) const
    {
        int count = 0;
        for (const Received& r : received)
            count += r.dataReady && r.notice.layer == layer;
        return count;
    }

    std::vector<int> progressOf(const tarquel_1_0::GraphLayer* layer) const
    {
        std::vector<int> percents;
        for (const Received& r : received)
            if (!r.dataReady && r.notice.layer == layer)
                percents.push_back(r.notice.percent);
        return percents;
    }

    std::vector<Received> received;

private:
    void record(wxThreadEvent& event, bool dataReady)
    {
        received.push_back({tarquel_1_0::noticeOf(event), dataReady, wxThread::IsMain()});
    }
};

} // namespace chart_test
