#pragma once
// Says where the timeline drew what, in the coordinates of its screenshot (the timeline's client
// area), so that scripts and end-to-end tests find rows and times on the picture instead of
// guessing pixels. One line per item:
//   axis LEFT WIDTH START END           time axis: nanosecond START lies in column LEFT, the
//                                       visible range [START, END] spans WIDTH columns evenly
//   ruler LEFT TOP WIDTH HEIGHT         the ruler, whose bottom carries the global markers
//   area INDEX LEFT TOP WIDTH HEIGHT    an area's graph window
//   row AREA DATA_ROW TOP HEIGHT NAME   a shown row's graph in that area (its strip)
//   lanes AREA DATA_ROW TOP HEIGHT      the lanes a row grew below its strip, when it has any
namespace tarquel_1_0 {
class Timeline;
}

#include <string>

namespace velmora_viewer {

class LayoutReport {
public:
    static std::string describe(const tarquel_1_0::Timeline& timeline);
};

} // namespace velmora_viewer
