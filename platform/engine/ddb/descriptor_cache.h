#pragma once
// Descriptors of files a storage closed lately, kept open for the next open of the same path.
// Opening and closing a file cost the file system more than reading or writing the bytes of a
// page, and the pager reads and writes the same page files again and again. Only idle
// descriptors are kept: a file in use holds its own, so no two users share a file position.

#include <cstddef>
#include <list>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>

namespace ddb_2_2 {

class descriptor_cache {
public:
    /// An eighth of the common default limit of 1,024 open files, so that the files of several
    /// open results stay far from it.
    static constexpr std::size_t default_capacity = 128;

    explicit descriptor_cache(std::size_t capacity = default_capacity) : m_capacity(capacity) {}
    ~descriptor_cache();
    descriptor_cache(const descriptor_cache&) = delete;
    descriptor_cache& operator=(const descriptor_cache&) = delete;

    /// The kept descriptor of `path`, which the caller then owns; -1 when none is kept.
    int take(const std::string& path);
    /// Keeps `descriptor` as the one of `path`; beyond the capacity the one idle longest is
    /// closed, and a path that has one kept already keeps that one.
    void give(const std::string& path, int descriptor);
    /// Closes the kept descriptor of `path`, if any (before the file is removed).
    void forget(const std::string& path);

private:
    using entry = std::pair<std::string, int>;

    std::mutex m_lock;
    std::list<entry> m_idle;   // the one given back last first
    std::unordered_map<std::string, std::list<entry>::iterator> m_byPath;
    std::size_t m_capacity;
};

}  // namespace ddb_2_2
