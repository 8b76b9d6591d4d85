#pragma once
// Holds a provider's worker (DataProvider::holdRequests) for as long as it lives: every layer of
// a graph asks for its data before any of those requests may start.
#include <tarquel_1_0/DataProvider.h>

namespace tarquel_1_0 {

class RequestHold {
public:
    explicit RequestHold(DataProvider* provider) : m_provider(provider)
    {
        if (m_provider)
            m_provider->holdRequests();
    }
    ~RequestHold()
    {
        if (m_provider)
            m_provider->releaseRequests();
    }
    RequestHold(const RequestHold&) = delete;
    RequestHold& operator=(const RequestHold&) = delete;

private:
    DataProvider* m_provider;
};

} // namespace tarquel_1_0
