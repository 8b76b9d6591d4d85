#pragma once
// Reads a viewpoint description (the element tree that says which areas, row sets, layers and
// ruler layers a timeline shows) into plain structures, then resolves every rowBy, drawBy and
// tooltipBy element into queries of the query library. The pane owns one parser and calls
// parse() on the user-interface thread each time it restores its viewpoint; the configuration
// then reads areas, ruler and showError and builds the timeline from them.
//
// Nothing stops the walk: each fault becomes one "Timeline: " message in errors, in the order
// met (all grammar messages before all resolution messages), and the faulty element is skipped
// or kept in a state the configuration recognises (Area::valid false, LayerInfo::valid false,
// queryKind 0). Every parse starts from empty structures, so parsing twice gives the same result.
#include "provider/SarvikDataSource.h"
#include <VelmoraExport.h>

#include <mirrow2/sptr_t.h>
#include <mirrow2/variant_bag_t.h>
#include <sarvikhelpers_1_0/IQueryLibrary.h>

#include <wx/colour.h>
#include <wx/string.h>

#include <string>
#include <vector>

namespace brannow2 {
class IMessenger;
}

namespace velmora_1_0 {

class VELMORA_API ViewpointParser {
public:
    struct RowBy {
        bool present = false;
        // Catalog text of the displayName attribute, or of "%Running_wait_state" without one.
        std::wstring displayName;
        mirrow2::variant_bag_t bag;
        SarvikDataSource dataSource;
    };

    struct DrawBy {
        bool present = false;
        bool required = false;
        std::wstring displayName;
        int format = 0; // 0 not given, 1 "line", 2 "area"
        std::wstring iconType;
        wxColour graphColor;
        wxColour filterColor;
        // True only when the colour came from the query and parsed.
        bool graphColorSet = false;
        bool filterColorSet = false;
        mirrow2::variant_bag_t bag;
        SarvikDataSource dataSource;
    };

    struct TooltipBy {
        mirrow2::variant_bag_t bag;
        SarvikDataSource dataSource;
    };

    struct LayerInfo {
        int instance = 0;
        bool valid = false;    // equals drawBy.present once parsed
        bool accepted = false; // set by the configuration
        bool visible = true;
        DrawBy drawBy;
        bool hasTooltipBy = false;
        TooltipBy tooltipBy;
    };

    struct RowSet {
        int instance = 0;
        bool valid = false; // set by the configuration
        bool hasLayers = false;
        RowBy rowBy;
        std::wstring displayName;
        std::vector<LayerInfo> layers;
        // Attribute sortOrder: how the rows are sorted at first (DataProvider::SortOrder values;
        // 0, the default, keeps the data order).
        int sortOrder = 0;
    };

    struct Area {
        int instance = 0;
        bool valid = false;
        // Every rowSet child is kept; the configuration uses the first only.
        std::vector<RowSet> rowSets;
    };

    struct Ruler {
        bool valid = false;
        std::vector<LayerInfo> layers;
    };

    ViewpointParser();
    ~ViewpointParser();
    ViewpointParser(const ViewpointParser&) = delete;
    ViewpointParser& operator=(const ViewpointParser&) = delete;

    // Parses viewpoint and, when it has an area and queryLibrary is set, resolves its queries.
    // True when no message was raised (warnings count).
    bool parse(mirrow2::variant_bag_t viewpoint,
               mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary> library,
               brannow2::IMessenger* borrowedMessenger);
    // Replaces the contents of out with the messages of the last parse.
    void getErrors(std::vector<wxString>& out) const;

    brannow2::IMessenger* messenger = nullptr; // borrowed; handed to every resolve call
    mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary> queryLibrary;
    std::vector<Area> areas;
    Ruler ruler;
    std::vector<wxString> errors;
    bool showError = false; // kept across parses unless the document sets it

private:
    void readArea(const mirrow2::variant_bag_t& element, Area& area);
    void readRowSet(const mirrow2::variant_bag_t& element, int areaInstance, RowSet& rowSet);
    void readRowBy(const mirrow2::variant_bag_t& element, int areaInstance, RowSet& rowSet);
    void readLayer(const mirrow2::variant_bag_t& element, int areaInstance, int rowSetInstance,
                   LayerInfo& layer);
    void readRuler(const mirrow2::variant_bag_t& element);
    void readShowError(const mirrow2::variant_bag_t& element);
    void resolve();
};

} // namespace velmora_1_0
