// The pane's start-up in the host's order and out of it, the viewpoint read from session storage,
// the reporting of collected messages, and the echo of its own selection changes.
#include "PaneHarness.h"

#include <mirrow2/object_registry.h>
#include <tarquel_1_0/Ruler.h>
#include <tarquel_1_0/Timeline.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace pane_test {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::wstring noLibrary = L"Timeline: No query library object found. Timeline will be appear empty.";
const std::wstring noArea =
    L"Timeline: At least one <area> was expected but could not be found. Timeline will appear empty.";

std::vector<std::wstring> texts(const std::vector<wxString>& messages)
{
    std::vector<std::wstring> out;
    for (const wxString& message : messages)
        out.push_back(message.ToStdWstring());
    return out;
}

TEST(PaneLifecycle, RegistersBothTypeNamesWhenTheLibraryLoads)
{
    const auto& registry = mirrow2::get_object_registry();
    ASSERT_TRUE(registry.find_type("dasID_velmora1::TimelinePane").has_value());
    ASSERT_TRUE(registry.find_type("dasID_constvelmora1::TimelinePane").has_value());
    EXPECT_NE(registry.find_type("dasID_velmora1::TimelinePane")->m_id,
              registry.find_type("dasID_constvelmora1::TimelinePane")->m_id);
}

TEST(PaneLifecycle, HostOrderReadsTheViewpointAndBuildsTheTimeline)
{
    PaneHarness harness;
    harness.writeViewpoint(L"views", "<showError>1</showError>" + threadArea(layer("waitStates")));
    harness.start(L"views");

    EXPECT_FALSE(harness.pane().viewpoint.empty());
    EXPECT_TRUE(harness.pane().stateNode);
    EXPECT_EQ(harness.pane().getTimeline()->getPaneCount(), 1);
    EXPECT_THAT(harness.shownMessages(), IsEmpty());
    EXPECT_EQ(harness.pane().getTimeline()->getMessenger(), &harness.messenger);
}

TEST(PaneLifecycle, ResultBeforeTheQueryLibraryCollectsTheMessageAndBuildsNothing)
{
    PaneHarness harness;
    harness.writeViewpoint(L"views", "<showError>1</showError>" + threadArea(layer("waitStates")));
    harness.setStorage(L"views.view");
    harness.addResult();

    // The description was never parsed, so its showError cannot ask for the message yet.
    EXPECT_THAT(texts(harness.pane().getErrors()), ElementsAre(noLibrary));
    EXPECT_EQ(harness.pane().getTimeline()->getPaneCount(), 0);

    harness.setQueryLibrary();
    harness.addResult();
    EXPECT_EQ(harness.pane().getTimeline()->getPaneCount(), 1);
}

TEST(PaneLifecycle, ResultBeforeStorageParsesAnEmptyDescription)
{
    PaneHarness harness;
    harness.setQueryLibrary();
    harness.addResult();
    EXPECT_THAT(texts(harness.pane().getErrors()), ElementsAre(noArea));
    EXPECT_EQ(harness.pane().getTimeline()->getPaneCount(), 0);

    harness.addResult();
    EXPECT_THAT(texts(harness.pane().getErrors()), ElementsAre(noArea)) << "a failed parse replaces the list";
}

TEST(PaneLifecycle, StoragePathsOtherThanSectionDotNameReadNothing)
{
    PaneHarness harness;
    harness.writeViewpoint(L"views", threadArea(layer("waitStates")));
    for (const std::wstring path : {L"views", L"views.view.extra", L"views.missing"}) {
        EXPECT_TRUE(harness.pane().setStorage(nullptr, path, &harness.messenger));
        harness.setStorage(path);
        EXPECT_TRUE(harness.pane().viewpoint.empty()) << path;
    }
    harness.setStorage(L"views.view");
    EXPECT_FALSE(harness.pane().viewpoint.empty());
}

TEST(PaneLifecycle, MessagesAreShownOnlyWhenTheDescriptionAsksForThem)
{
    const std::string faulty = threadArea(layer("sampledFunctions")) + "<unexpected/>";
    PaneHarness quiet;
    quiet.writeViewpoint(L"views", "<showError>0</showError>" + faulty);
    quiet.start(L"views");
    const std::size_t kept = quiet.pane().getErrors().size();
    EXPECT_GT(kept, 0u);
    quiet.addResult();
    EXPECT_THAT(quiet.shownMessages(), IsEmpty());
    EXPECT_GE(quiet.pane().getErrors().size(), kept);

    PaneHarness loud;
    loud.writeViewpoint(L"views", "<showError>1</showError>" + faulty);
    loud.start(L"views");
    const std::vector<std::wstring> first = loud.shownMessages();
    EXPECT_THAT(first, Contains(L"Timeline: Unknown top-level element <unexpected> found. Expected <area> or <ruler>."));
    EXPECT_THAT(loud.pane().getErrors(), IsEmpty());
    loud.addResult();
    EXPECT_EQ(loud.shownMessages().size(), 2 * first.size()) << "each addResult shows its own messages once";
    EXPECT_THAT(loud.pane().getErrors(), IsEmpty());
}

TEST(PaneLifecycle, OwnSelectionEchoIsIgnoredOnceThenTheSelectionIsCleared)
{
    PaneHarness harness;
    harness.writeViewpoint(L"views", threadArea(layer("waitStates")));
    harness.start(L"views");
    tarquel_1_0::Ruler& ruler = *harness.pane().getTimeline()->getRuler();

    int raised = 0;
    harness.pane().selectionChangedSignal.connect([&raised] { ++raised; });
    ruler.setSelection(100, 200, false);
    harness.pane().generateSelectionChangedEvent();
    EXPECT_EQ(raised, 1);
    EXPECT_TRUE(harness.pane().selectionFromPane);

    harness.pane().selectionChanged();
    EXPECT_FALSE(harness.pane().selectionFromPane);
    EXPECT_TRUE(ruler.hasRulerSelection()) << "the echo of our own change keeps the selection";

    harness.pane().selectionChanged();
    EXPECT_FALSE(ruler.hasRulerSelection());
}

} // namespace
} // namespace pane_test
