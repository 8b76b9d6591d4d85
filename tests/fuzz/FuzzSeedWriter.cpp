// fuzz_seeds DIR: writes the seeds that are not files of data/ into DIR/<target>/: results of
// the generator, record chunks cut from them, and page and bucket archives of both kinds.

#include "pagestore/ContainerSerialization.h"
#include "pagestore/PortableBinaryOArchive.h"
#include "store/RecordChunkCodec.h"
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/store/ResultGenerator.h>

#include <boost/archive/binary_oarchive.hpp>

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using namespace dd_sarvik_2_2::store;

namespace {

void writeFile(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readFile(const fs::path& file)
{
    std::ostringstream bytes;
    bytes << std::ifstream(file, std::ios::binary).rdbuf();
    return bytes.str();
}

// The writer's large pages make a small result a megabyte of mostly zeros; small pages keep the
// same content in a seed the fuzzer can mutate quickly.
bool repackWithSmallPages(const fs::path& file)
{
    sqlite3* db = nullptr;
    const bool repacked = sqlite3_open(file.c_str(), &db) == SQLITE_OK
        && sqlite3_exec(db, "PRAGMA page_size=512; VACUUM;", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return repacked;
}

GeneratorOptions smallResult(std::uint64_t seed, std::uint32_t threads)
{
    GeneratorOptions options;
    options.threads = threads;
    options.processes = std::min<std::uint32_t>(2, threads);
    options.samples = 40 * threads;
    options.markers = 6 * threads;
    options.transitions = 3 * threads;
    options.globalMarkers = 8;
    options.counterValues = 12;
    options.seed = seed;
    return options;
}

// A seed of the chunk target: record count, record kind, then the blob.
template <class Record>
void writeChunk(const fs::path& file, int kind, const std::vector<Record>& records)
{
    const std::size_t count = std::min<std::size_t>(records.size(), 255);
    writeFile(file, std::string{char(count), char(kind)} + RecordChunkCodec::encode(records.data(), count));
}

// A seed of the page store target: the first byte chooses archive kind, page or bucket, and
// whether the archive has its header (bit 2 set: without).
template <class Archive, class Value>
void writeArchive(const fs::path& file, std::uint8_t choice, const Value& value)
{
    std::stringbuf buffer;
    {
        Archive ar(buffer, (choice & 4) ? boost::archive::no_header : 0);
        ar << value;
    }
    writeFile(file, std::string(1, char(choice)) + buffer.str());
}

void writePageSeeds(const fs::path& directory)
{
    velmora_1_0::OverTimePageBase page;
    page.set_page_word(77);
    page.allocate();
    for (std::uint32_t bucket = 0; bucket < 40; ++bucket)
        page.push_back(dd_sarvik_2_2::dd_overtime_data(7 + bucket, 2 * bucket));
    const velmora_1_0::OverTimeBucketBase bucket;
    for (std::uint8_t header : {0, 4}) {
        const std::string suffix = header ? "-bare" : "";
        writeArchive<boost::archive::binary_oarchive>(directory / ("page-native" + suffix), header, page);
        writeArchive<velmora_1_0::PortableBinaryOArchive>(directory / ("page-portable" + suffix), header | 1, page);
        writeArchive<boost::archive::binary_oarchive>(directory / ("bucket-native" + suffix), header | 2, bucket);
        writeArchive<velmora_1_0::PortableBinaryOArchive>(directory / ("bucket-portable" + suffix), header | 3,
                                                          bucket);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds DIR\n";
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path scratch = out / "scratch-result";
    for (const auto& [seed, threads] : {std::pair<std::uint64_t, std::uint32_t>{1, 3}, {2, 8}}) {
        const GeneratorOptions options = smallResult(seed, threads);
        const ResultGenerator generator(options);
        fs::remove_all(scratch);
        const StoreStatus written = generator.writeTo(scratch);
        if (!written.ok()) {
            std::wcerr << L"fuzz_seeds: cannot generate a result: " << written.message << L'\n';
            return 1;
        }
        if (!repackWithSmallPages(scratch / "result.sqlite")) {
            std::cerr << "fuzz_seeds: cannot repack the generated result\n";
            return 1;
        }
        const std::string name = "generated-" + std::to_string(threads);
        writeFile(out / "fuzz_result_directory" / (name + ".sqlite"), readFile(scratch / "result.sqlite"));

        const ResultRecords records = generator.generate();
        const fs::path chunks = out / "fuzz_record_chunk_codec";
        writeChunk(chunks / (name + "-samples"), 0, records.sampleTables.at(0).samples);
        for (std::size_t i = 0; i < records.bandTables.size(); ++i)
            writeChunk(chunks / (name + "-band-" + std::to_string(i)), 1, records.bandTables[i].objects);
        writeChunk(chunks / (name + "-values"), 2, records.timedAttributes.at(0).values);
    }
    fs::remove_all(scratch);
    writePageSeeds(out / "fuzz_pagestore");
    return 0;
}
