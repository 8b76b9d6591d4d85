#include <ddb_2_2/ddb_storage.h>
#include <ddb_2_2/ddb_storage_file.h>

#include <gtest/gtest.h>

#include "TempDir.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>
#include <thread>
#include <vector>

using ddb_2_2::string;

namespace {

bool writeText(const ddb_2_2::ddb_storage& storage, const string& path, const std::string& text)
{
    auto file = storage.open_for_writing(path);
    const bool put = file->get_streambuf().sputn(text.data(), std::streamsize(text.size())) == std::streamsize(text.size());
    return file->close() && put;
}

// The whole file through the storage; "(closed)" when it did not open.
std::string readText(const ddb_2_2::ddb_storage& storage, const string& path)
{
    auto file = storage.open_for_reading(path);
    if (!file->is_open())
        return "(closed)";
    std::string text(file->get_size(), '\0');
    file->get_streambuf().sgetn(&text[0], std::streamsize(text.size()));
    return text;
}

std::string readByPath(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int openDescriptors()
{
    const std::filesystem::path own("/proc/self/fd");
    return static_cast<int>(std::distance(std::filesystem::directory_iterator(own), std::filesystem::directory_iterator()));
}

}  // namespace

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

// Small transfers go through the stream's buffer and large ones straight to the file: mixed, in
// either direction, they keep their order and the stream's position.
TEST(EngineStorage, SmallAndLargeTransfersMixedKeepTheirOrder)
{
    TempDir dir;
    ddb_2_2::ddb_storage storage;
    const string path = string(dir.wide()) + string(L"//mixed.ddb");
    std::string expected;
    const std::vector<std::size_t> pieces = {3, 10'000, 1, 70'000, 5'000, 2, 200'000, 7};
    {
        auto file = storage.open_for_writing(path);
        ASSERT_TRUE(file->is_open());
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            const std::string piece(pieces[i], static_cast<char>('a' + i));
            ASSERT_EQ(file->get_streambuf().sputn(piece.data(), std::streamsize(piece.size())), std::streamsize(piece.size()));
            expected += piece;
            EXPECT_EQ(file->get_size(), expected.size());
        }
        ASSERT_TRUE(file->close());
    }
    ASSERT_EQ(readByPath(dir.path() / "mixed.ddb"), expected);

    auto file = storage.open_for_reading(path);
    ASSERT_TRUE(file->is_open());
    std::string got;
    for (const std::size_t size : {std::size_t(2), std::size_t(5'000), std::size_t(1), std::size_t(80'000),
                                   std::size_t(6'000), std::size_t(3), std::size_t(400'000)}) {
        std::string piece(size, '\0');
        piece.resize(static_cast<std::size_t>(file->get_streambuf().sgetn(&piece[0], std::streamsize(size))));
        got += piece;
    }
    EXPECT_EQ(got, expected);   // the last read asked for more than was left and got the rest
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


// The storage keeps the descriptors of closed files for their next use. What happens to a file
// behind its back still counts: a removed file is gone, a file put in its place is read, and
// what the storage writes is what the path shows.
TEST(EngineStorage, KeptDescriptorsFollowWhatHappensToTheirFiles)
{
    TempDir dir;
    ddb_2_2::ddb_storage storage;
    const std::filesystem::path named = dir.path() / "page.ddb";
    const string path(named.wstring());

    ASSERT_TRUE(writeText(storage, path, "first"));
    EXPECT_EQ(readByPath(named), "first");
    std::filesystem::remove(named);
    EXPECT_EQ(readText(storage, path), "(closed)");
    ASSERT_TRUE(writeText(storage, path, "second"));
    EXPECT_EQ(readByPath(named), "second");

    const std::filesystem::path other = dir.path() / "other.ddb";
    std::ofstream(other, std::ios::binary) << "put in its place";
    std::filesystem::rename(other, named);
    EXPECT_EQ(readText(storage, path), "put in its place");
    ASSERT_TRUE(writeText(storage, path, "third"));
    EXPECT_EQ(readByPath(named), "third");

    EXPECT_TRUE(storage.remove_file(path));
    EXPECT_FALSE(std::filesystem::exists(named));
    EXPECT_EQ(readText(storage, path), "(closed)");
}

// However many files go through a storage, it keeps a bounded number of descriptors open, and
// none once it is gone.
TEST(EngineStorage, KeepsABoundedNumberOfDescriptors)
{
    TempDir dir;
    const int before = openDescriptors();
    {
        ddb_2_2::ddb_storage storage;
        for (int i = 0; i < 300; ++i) {
            const string path((dir.path() / ("p" + std::to_string(i) + ".ddb")).wstring());
            ASSERT_TRUE(writeText(storage, path, std::to_string(i)));
            ASSERT_EQ(readText(storage, path), std::to_string(i));
        }
        EXPECT_GT(openDescriptors(), before);
        EXPECT_LE(openDescriptors(), before + 128);
    }
    EXPECT_EQ(openDescriptors(), before);
}

// Threads write and read their own files and read shared ones through one storage at once, so
// that descriptors are taken and given back for the same paths concurrently.
TEST(EngineStorage, ThreadsShareKeptDescriptorsSafely)
{
    TempDir dir;
    ddb_2_2::ddb_storage storage;
    const auto pathOf = [&](const std::string& name) { return string((dir.path() / name).wstring()); };
    for (int s = 0; s < 4; ++s)
        ASSERT_TRUE(writeText(storage, pathOf("shared" + std::to_string(s)), "shared " + std::to_string(s)));

    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            const string own = pathOf("own" + std::to_string(t));
            for (int i = 0; i < 200; ++i) {
                const std::string text(static_cast<std::size_t>(1 + (i * 7 + t) % 50), char('a' + t));
                if (!writeText(storage, own, text) || readText(storage, own) != text)
                    ++wrong;
                const int s = (i + t) % 4;
                if (readText(storage, pathOf("shared" + std::to_string(s))) != "shared " + std::to_string(s))
                    ++wrong;
            }
        });
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(wrong.load(), 0);
}
