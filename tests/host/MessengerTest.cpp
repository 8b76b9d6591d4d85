#include <brannow2/CollectingMessenger.h>
#include <brannow2/PrintingMessenger.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(PrintingMessenger, WritesOneLinePerMessage)
{
    std::wostringstream stream;
    brannow2::PrintingMessenger messenger(stream);
    messenger.message(brannow2::IMessenger::Warning, L"Timeline: first");
    messenger.message(4, L"second");
    messenger.message(9, L"odd");
    EXPECT_EQ(stream.str(), L"warning: Timeline: first\nconfiguration: second\nmessage 9: odd\n");
}

TEST(PrintingMessenger, WritesUtf8ToFiles)
{
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    brannow2::PrintingMessenger messenger(file);
    messenger.message(brannow2::IMessenger::Error, L"\u00e9");
    std::rewind(file);
    char buffer[32] = {};
    ASSERT_NE(std::fgets(buffer, sizeof buffer, file), nullptr);
    EXPECT_EQ(std::string(buffer), "error: \xc3\xa9\n");
    std::fclose(file);
}

TEST(CollectingMessenger, KeepsEachThreadsMessagesInOrder)
{
    brannow2::CollectingMessenger messenger;
    std::vector<std::thread> threads;
    for (int kind = 1; kind <= 4; ++kind)
        threads.emplace_back([&messenger, kind] {
            for (int i = 0; i < 200; ++i)
                messenger.message(kind, std::to_wstring(i));
        });
    for (auto& thread : threads)
        thread.join();
    std::vector<int> next(5, 0);
    for (const auto& message : messenger.messages())
        EXPECT_EQ(message.m_text, std::to_wstring(next[message.m_kind]++));
    EXPECT_EQ(messenger.count(), 800u);
}

} // namespace
