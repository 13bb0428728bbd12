// Loading a realistic resource archive (about 20 MiB of PNG, JPEG, Ogg and
// TTF entries) through the archive manager, against plain zlib uncompress of
// the same entries from memory.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/graphics.h"
#include "platform/stream.h"
#include "resources/pak_file.h"

namespace {

namespace fs = std::filesystem;

struct TBenchEntry {
    std::string name;
    int32_t varType;
    std::vector<uint8_t> raw, packed;
};

std::vector<uint8_t> NoiseBytes(std::mt19937& rng, size_t size, const std::string& magic) {
    std::vector<uint8_t> bytes(size);
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    std::copy(magic.begin(), magic.end(), bytes.begin());
    return bytes;
}

// A real PNG of a noisy picture with smooth areas, like a game background.
std::vector<uint8_t> PngBytes(std::mt19937& rng, int width, int height, const std::string& path) {
    plat::TPixmap pixmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixmap.WritePixel(x, y, plat::ARGB(255, (x + y) & 255, (x * 3) & 255, static_cast<int>(rng() & 63)));
    plat::SavePixmapPNG(pixmap, path);
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> FontBytes(std::mt19937& rng) {
    const char* font = VC_BENCH_SOURCE_DIR "/assets/fonts/Carlito-Regular.ttf";
    std::ifstream in(font, std::ios::binary);
    std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    if (bytes.empty()) bytes = NoiseBytes(rng, 600 * 1024, "\0\1\0\0");
    return bytes;
}

// The archive of the benchmark, written once per run.
struct TBenchArchive {
    std::string folder;
    std::vector<TBenchEntry> entries;
    size_t rawBytes = 0;

    TBenchArchive() {
        folder = (fs::temp_directory_path() / "vc_bench_pak").generic_string() + "/";
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::mt19937 rng(7);
        for (int i = 0; i < 6; ++i)
            Add("gamescreen" + std::to_string(i) + ".jpg", PAK_IMAGE, NoiseBytes(rng, 1200 * 1024, "\xFF\xD8\xFF\xE0"));
        for (int i = 0; i < 6; ++i)
            Add("image" + std::to_string(i) + ".png", PAK_IMAGE, PngBytes(rng, 512, 512, folder + "tmp.png"));
        for (int i = 0; i < 4; ++i)
            Add("music" + std::to_string(i) + ".ogg", PAK_SOUND, NoiseBytes(rng, 2 * 1024 * 1024, "OggS"));
        for (int i = 0; i < 2; ++i) Add("calibri" + std::to_string(i) + ".ttf", PAK_FONT, FontBytes(rng));
        fs::remove(folder + "tmp.png");
        Write(folder + "data.pak");
    }

    void Add(const std::string& name, int32_t varType, std::vector<uint8_t> raw) {
        uLongf size = compressBound(static_cast<uLong>(raw.size()));
        std::vector<uint8_t> packed(size);
        compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_DEFAULT_COMPRESSION);
        packed.resize(size);
        rawBytes += raw.size();
        entries.push_back({name, varType, std::move(raw), std::move(packed)});
    }

    void Write(const std::string& path) const {
        plat::TBankStream table, out;
        for (const auto& e : entries) {
            table.WriteInt(static_cast<int32_t>(e.packed.size()));
            table.WriteInt(0);
            table.WriteInt(static_cast<int32_t>(e.raw.size()));
            table.WriteInt(e.varType);
            std::string field = e.name;
            field.resize(NAME_SIZE, '\0');
            table.WriteString(field);
        }
        uLongf size = compressBound(static_cast<uLong>(table.Size()));
        std::vector<uint8_t> packedTable(size);
        compress(packedTable.data(), &size, table.Bytes().data(), static_cast<uLong>(table.Size()));
        packedTable.resize(size);
        out.WriteInt(PAK_MAGIC);
        out.WriteInt(PAK_VERSION_TABLE);
        out.WriteInt(static_cast<int32_t>(entries.size()));
        out.WriteInt(static_cast<int32_t>(packedTable.size()));
        out.WriteInt(static_cast<int32_t>(table.Size()));
        out.WriteBytes(packedTable.data(), packedTable.size());
        for (const auto& e : entries) out.WriteBytes(e.packed.data(), e.packed.size());
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.Bytes().data()),
                                                    static_cast<std::streamsize>(out.Size()));
    }
};

const TBenchArchive& Archive() {
    static const TBenchArchive archive;
    return archive;
}

void LoadThroughManager() {
    auto manager = TPakFileManager::Create(Archive().folder, ".pak");
    benchmark::DoNotOptimize(manager->Map.size());
}

void PlainUncompress() {
    for (const auto& e : Archive().entries) {
        std::vector<uint8_t> out(e.raw.size());
        uLongf size = static_cast<uLongf>(out.size());
        uncompress(out.data(), &size, e.packed.data(), static_cast<uLong>(e.packed.size()));
        benchmark::DoNotOptimize(out.data());
    }
}

void BM_ManagerLoad(benchmark::State& state) {
    Archive();
    for (auto _ : state) LoadThroughManager();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Archive().rawBytes));
}
BENCHMARK(BM_ManagerLoad)->Unit(benchmark::kMillisecond);

void BM_PlainUncompress(benchmark::State& state) {
    for (auto _ : state) PlainUncompress();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * Archive().rawBytes));
}
BENCHMARK(BM_PlainUncompress)->Unit(benchmark::kMillisecond);

// Both in alternation; "ratio" is the manager's throughput over zlib's.
void BM_ManagerVsUncompress(benchmark::State& state) {
    using Clock = std::chrono::steady_clock;
    double manager = 0, plain = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        LoadThroughManager();
        const auto t1 = Clock::now();
        PlainUncompress();
        const auto t2 = Clock::now();
        manager += std::chrono::duration<double>(t1 - t0).count();
        plain += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["ratio"] = manager > 0 ? plain / manager : 0;
    state.counters["MiB"] = static_cast<double>(Archive().rawBytes) / (1 << 20);
}
BENCHMARK(BM_ManagerVsUncompress)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace
