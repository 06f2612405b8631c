// Encoding and decoding of a 25-field and a 61-field record through binding lists (ns per record).
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "codec/APIPackage.h"
#include "codec/Dictionary.h"

namespace {

// A record of the first `fields` scalar rows of the trading dictionary, each with its own variable.
struct WideRecord {
    explicit WideRecord(size_t fields) {
        for (const FieldDescriptor* row : TradeDictionary) {
            if (row->Kind != 0) continue;
            const uint32_t size = row->Type == 'C'   ? static_cast<uint32_t>(row->Length) + 1
                                  : row->Type == 'S' ? 2
                                  : (row->Type == 'I' || row->Type == 'F') ? 4
                                                                           : 8;
            Storage.emplace_back(size, 0x31);
            if (row->Type == 'C') Storage.back().back() = 0;
            Entries.push_back(FieldBinding{row, nullptr, size, 0, nullptr});
            if (Entries.size() == fields) break;
        }
        for (size_t i = 0; i < Entries.size(); ++i)
            Entries[i].Value = Storage[i].data();
        List = FieldBindingList{Entries.data(), static_cast<uint32_t>(Entries.size())};
    }
    std::vector<std::vector<char>> Storage;
    std::vector<FieldBinding> Entries;
    FieldBindingList List{};
};

void Encode(benchmark::State& state) {
    WideRecord record(static_cast<size_t>(state.range(0)));
    uint8_t buffer[MaxPayloadLength];
    for (auto _ : state) {
        CAPIPackage package;
        package.BeginPackage(122, 1, buffer);
        benchmark::DoNotOptimize(package.WriteRecord(record.List, 1043));
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(record.Entries.size()) + " fields");
}

void Decode(benchmark::State& state) {
    WideRecord record(static_cast<size_t>(state.range(0)));
    uint8_t buffer[MaxPayloadLength];
    CAPIPackage built;
    built.BeginPackage(123, 1, buffer);
    (void)built.WriteRecord(record.List, 1043);
    const uint32_t length = built.GetLength();
    for (auto _ : state) {
        CAPIPackage package;
        package.OpenPackage(buffer, length);
        CKDXPackage child;
        if (package.OpenElement(1043, child) == 0)
            benchmark::DoNotOptimize(record.List.Decode(child.Data, child.Length));
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::to_string(record.Entries.size()) + " fields");
}

}  // namespace

BENCHMARK(Encode)->Arg(25)->Arg(61);
BENCHMARK(Decode)->Arg(25)->Arg(61);
BENCHMARK_MAIN();
