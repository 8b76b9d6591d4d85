#pragma once
// The viewer's window in this process on a result generated once per test suite: a suite calls
// generate() and removeResult() around its tests, each test opens the window on it and closes it
// again. s_records holds what the generator wrote, for checking the window against.
#include "ViewerApp.h"
#include "ViewerFrame.h"
#include "WxTestMain.h"

#include <dd_sarvik_2_2/store/ResultGenerator.h>
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

class GeneratedResultWindow : public ::testing::Test {
protected:
    static void generate(const dd_sarvik_2_2::store::GeneratorOptions& options, const std::string& name)
    {
        s_directory = std::filesystem::temp_directory_path() / (name + std::to_string(::getpid()));
        std::filesystem::remove_all(s_directory);
        ASSERT_TRUE(dd_sarvik_2_2::store::ResultGenerator(options).writeTo(s_directory).ok());
        s_records = dd_sarvik_2_2::store::ResultGenerator(options).generate();
    }
    static void removeResult() { std::filesystem::remove_all(s_directory); }

    // Opens the window with the default viewpoint and waits until everything in it has loaded.
    void openWindow()
    {
        ASSERT_TRUE(velmora_viewer::ViewerApp::openWindow(s_directory, "default", nullptr));
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* frame = dynamic_cast<velmora_viewer::ViewerFrame*>(window))
                m_frame = frame;
        ASSERT_NE(m_frame, nullptr);
        ASSERT_TRUE(chart_test::pumpUntil([this] { return m_frame->isComplete(); }, 60000));
    }
    void TearDown() override
    {
        if (m_frame)
            m_frame->Destroy();
        chart_test::pumpPending();
    }

    static inline std::filesystem::path s_directory;
    static inline dd_sarvik_2_2::store::ResultRecords s_records;
    velmora_viewer::ViewerFrame* m_frame = nullptr;
};
