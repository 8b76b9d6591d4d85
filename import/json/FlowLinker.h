#pragma once
// Pairs the ends of flows into directed links between tracks: flow events "s" (start), "t"
// (step) and "f" (finish) matched by category and id, each step a link from the point before;
// and slices carrying "bind_id" with "flow_out" (source) and "flow_in" (destination), matched
// by that id whatever order they come in.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace velmora_import {

class FlowLinker {
public:
    struct Point {
        std::size_t track = 0;
        std::int64_t time = 0; // nanoseconds
    };
    struct Link {
        Point from;
        Point to;
        std::int32_t name = 0; // caller's name index
    };

    // False for a step or finish whose flow never started.
    bool flowEvent(char phase, const std::string& key, Point point, std::int32_t name)
    {
        if (phase == 's') {
            m_open[key] = {point, name};
            return true;
        }
        const auto found = m_open.find(key);
        if (found == m_open.end())
            return false;
        m_links.push_back({found->second.point, point, found->second.name});
        if (phase == 'f')
            m_open.erase(found);
        else
            found->second.point = point;
        return true;
    }
    void boundSlice(const std::string& bindId, bool out, Point point, std::int32_t name)
    {
        Bound& bound = m_bound[bindId];
        (out ? bound.sources : bound.destinations).push_back({point, name});
    }
    // The links, taken out of the linker; counts flows that never found their other end in
    // `unmatched`.
    std::vector<Link> takeLinks(std::size_t& unmatched)
    {
        std::vector<Link> links = std::move(m_links);
        m_links.clear();
        unmatched = 0;
        for (const auto& [id, bound] : m_bound) {
            for (const Named& source : bound.sources) {
                for (const Named& destination : bound.destinations)
                    links.push_back({source.point, destination.point, source.name});
            }
            if (bound.sources.empty() || bound.destinations.empty())
                unmatched += bound.sources.size() + bound.destinations.size();
        }
        return links;
    }

private:
    struct Named {
        Point point;
        std::int32_t name = 0;
    };
    struct Bound {
        std::vector<Named> sources;
        std::vector<Named> destinations;
    };
    std::map<std::string, Named> m_open; // started flows by key, at their latest point
    std::map<std::string, Bound> m_bound;
    std::vector<Link> m_links;
};

} // namespace velmora_import
