#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/ddb_storage_file.h>

#include <gtest/gtest.h>

#include "TempDir.h"

#include <istream>
#include <ostream>

using ddb_2_2::string;

TEST(EngineStorage, WritesReadsSizesAndRemovesRealFiles)
{
    TempDir dir;
    ddb_2_2::ddb_storage storage;
    const string path = string(dir.wide()) + string(L"//page.ddb");
    EXPECT_FALSE(storage.file_exists(path));
    {
        auto file = storage.open_for_writing(path);
        ASSERT_TRUE(file->is_open());
        std::ostream out(&file->get_streambuf());
        out << "twelve bytes";
        EXPECT_EQ(file->get_size(), 12u);
        EXPECT_TRUE(file->close());
    }
    EXPECT_TRUE(storage.file_exists(path));
    auto file = storage.open_for_reading(path);
    ASSERT_TRUE(file->is_open());
    EXPECT_EQ(file->get_size(), 12u);
    std::istream in(&file->get_streambuf());
    std::string word;
    in >> word;
    EXPECT_EQ(word, "twelve");   // the size query left the read position alone
    file->close();
    EXPECT_TRUE(storage.remove_file(path));
    EXPECT_FALSE(storage.remove_file(path));
}

// Rewriting keeps the file and replaces its content: a shorter content leaves none of the old
// bytes behind, a longer one all of its own.
TEST(EngineStorage, RewritingAFileReplacesItsWholeContent)
{
    TempDir dir;
    ddb_2_2::ddb_storage storage;
    const string path = string(dir.wide()) + string(L"//page.ddb");
    const auto write = [&](const std::string& text) {
        auto file = storage.open_for_writing(path);
        EXPECT_EQ(file->get_streambuf().sputn(text.data(), std::streamsize(text.size())), std::streamsize(text.size()));
        return file->close();
    };
    const auto read = [&] {
        auto file = storage.open_for_reading(path);
        std::string text(file->get_size(), '\0');
        file->get_streambuf().sgetn(&text[0], std::streamsize(text.size()));
        return text;
    };
    ASSERT_TRUE(write("a much longer first content"));
    ASSERT_TRUE(write("short"));
    EXPECT_EQ(read(), "short");
    ASSERT_TRUE(write("longer than short"));
    EXPECT_EQ(read(), "longer than short");
}

TEST(EngineStorage, MissingFilesAndDirectoriesDoNotOpen)
{
    TempDir dir;
    ddb_2_2::ddb_storage storage;
    EXPECT_FALSE(storage.open_for_reading(string(dir.wide()) + string(L"/none.ddb"))->is_open());
    EXPECT_FALSE(storage.open_for_writing(string(dir.wide()) + string(L"/no/dir.ddb"))->is_open());
    EXPECT_FALSE(storage.open_for_reading(string(dir.wide()))->is_open());
    EXPECT_FALSE(storage.open_for_writing(string(dir.wide()))->is_open());
    EXPECT_FALSE(storage.file_exists(string(dir.wide())));   // a directory is not a page file
}

