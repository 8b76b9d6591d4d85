// The viewer's help and the README list the same mouse and keyboard controls, in the same words.
#include "ControlsHelp.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

using velmora_viewer::ControlsHelp;

// The rows of the README's "Mouse and keyboard" table as (control, what it does).
std::vector<ControlsHelp::Entry> readmeControls()
{
    std::ifstream readme(VELMORA_SOURCE_DIR "/README.md");
    std::vector<ControlsHelp::Entry> rows;
    bool inSection = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("#", 0) == 0)
            inSection = line == "### Mouse and keyboard";
        else if (inSection && line.rfind("| ", 0) == 0 && line.rfind("| control |", 0) != 0) {
            const std::size_t middle = line.find(" | ");
            rows.emplace_back(line.substr(2, middle - 2), line.substr(middle + 3, line.size() - middle - 5));
        }
    }
    return rows;
}

TEST(ControlsHelpTest, TheReadmeTableAndTheHelpListTheSameControls)
{
    const std::vector<ControlsHelp::Entry> readme = readmeControls();
    ASSERT_FALSE(readme.empty()) << "no Mouse and keyboard table in the README";
    EXPECT_EQ(readme, ControlsHelp::entries());
    const wxString text = ControlsHelp::text();
    EXPECT_TRUE(text.StartsWith("Wheel: zoom in and out around the pointer\nShift+wheel")) << text;
    EXPECT_EQ(text.Freq('\n') + 1, ControlsHelp::entries().size());
}

} // namespace
