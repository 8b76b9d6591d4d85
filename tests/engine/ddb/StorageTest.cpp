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

TEST(EngineStorage, MissingFilesAndDirectoriesDoNotOpen)
{
    TempDir dir;
    ddb_2_2::ddb_storage storage;
    EXPECT_FALSE(storage.open_for_reading(string(dir.wide()) + string(L"/none.ddb"))->is_open());
    EXPECT_FALSE(storage.open_for_writing(string(dir.wide()) + string(L"/no/dir.ddb"))->is_open());
    EXPECT_FALSE(storage.file_exists(string(dir.wide())));   // a directory is not a page file
}

